#include "platform/qt/qt_desktop.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLocale>
#include <QMessageBox>
#include <QScreen>

#include "platform/qt/twips.h"

namespace q32 {

namespace {

QSize screenPixels() {
    const QScreen* primary = QGuiApplication::primaryScreen();
    return primary ? primary->size() : QSize();
}

QMessageBox::Icon boxIcon(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::Critical: return QMessageBox::Critical;
        case MsgIcon::Question: return QMessageBox::Question;
        case MsgIcon::Exclamation: return QMessageBox::Warning;
        case MsgIcon::Information: return QMessageBox::Information;
        case MsgIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons boxButtons(MsgButtons buttons) {
    switch (buttons) {
        case MsgButtons::Ok: return QMessageBox::Ok;
        case MsgButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
        case MsgButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
        case MsgButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

// Line ends as the program writes them (CR LF) to plain line feeds.
QString boxText(const std::string& text) {
    QString out = QString::fromStdString(text);
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    out.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return out;
}

}  // namespace

QtDesktop::QtDesktop(QWidget* owner) : owner_(owner) {}

double QtDesktop::screenWidth() const { return TwipsScale::screen().toTwipsX(screenPixels().width()); }

double QtDesktop::screenHeight() const { return TwipsScale::screen().toTwipsY(screenPixels().height()); }

std::string QtDesktop::digitGroupSeparator() const { return QLocale().groupSeparator().toStdString(); }

void QtDesktop::doEvents() { QCoreApplication::processEvents(); }

MsgAnswer QtDesktop::messageBox(const std::string& text, const std::string& title, MsgIcon icon,
                                MsgButtons buttons) {
    QMessageBox box(boxIcon(icon), QString::fromStdString(title), boxText(text), boxButtons(buttons),
                    owner_ && owner_->isVisible() ? owner_.data() : nullptr);
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    // Closing the box answers as its Cancel button would, or No where there is none.
    box.setEscapeButton(buttons == MsgButtons::YesNo ? QMessageBox::No
                        : buttons == MsgButtons::Ok  ? QMessageBox::Ok
                                                     : QMessageBox::Cancel);
    box.show();
    box.raise();
    box.activateWindow();
    switch (box.exec()) {
        case QMessageBox::Ok: return MsgAnswer::Ok;
        case QMessageBox::Yes: return MsgAnswer::Yes;
        case QMessageBox::No: return MsgAnswer::No;
        default: break;
    }
    return buttons == MsgButtons::YesNo ? MsgAnswer::No : MsgAnswer::Cancel;
}

}  // namespace q32
