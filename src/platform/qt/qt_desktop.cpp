#include "platform/qt/qt_desktop.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QScreen>
#include <QVBoxLayout>

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

// The typed password lives in the dialog only while it is open; the line
// edit is cleared before the dialog goes.
std::optional<std::string> QtDesktop::passwordBox(const std::string& archive, const std::string& member,
                                                  bool wrongBefore) {
    QDialog box(owner_ && owner_->isVisible() ? owner_.data() : nullptr);
    box.setWindowTitle(QStringLiteral("Password"));
    box.setWindowModality(Qt::ApplicationModal);
    auto* layout = new QVBoxLayout(&box);
    QString text = QStringLiteral("%1\n\nholds %2, which is protected by a password.")
                       .arg(QString::fromStdString(archive), QString::fromStdString(member));
    if (wrongBefore) text += QStringLiteral("\n\nThat password was wrong. Try again:");
    else text += QStringLiteral("\n\nPassword:");
    auto* label = new QLabel(text, &box);
    label->setTextFormat(Qt::PlainText);
    auto* entry = new QLineEdit(&box);
    entry->setEchoMode(QLineEdit::Password);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &box);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &box, &QDialog::reject);
    layout->addWidget(label);
    layout->addWidget(entry);
    layout->addWidget(buttons);
    box.show();
    box.raise();
    box.activateWindow();
    entry->setFocus();
    const bool given = box.exec() == QDialog::Accepted;
    std::optional<std::string> password;
    if (given) password = entry->text().toStdString();
    entry->clear();
    return password;
}

}  // namespace q32
