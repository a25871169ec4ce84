#include "platform/qt/qt_ui.h"

#include <QFrame>
#include <QSizeGrip>

namespace q32 {

namespace {

QFrame* newToolbarRowFrame(QWidget* parent) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    return frame;
}

QSizeGrip* newSizeGrip(QWidget* parent) {
    auto* grip = new QSizeGrip(parent);
    grip->setObjectName(QStringLiteral("Picture1"));
    grip->setToolTip(QStringLiteral(" Drag corner "));
    return grip;
}

}  // namespace

QtUi::QtUi(host::HostFileSystem& fs, const host::InstanceLock& lock, std::string programFolder, Processes& processes,
           ZipEngine& zip)
    : form_(fs.driveTable()),
      menus_(form_.window()->menuBar()),
      frame_(newToolbarRowFrame(form_.inner())),
      sizeGrip_(newSizeGrip(form_.inner())),
      toolbar_(form_.inner()),
      panel1_(form_.inner()),
      panel2_(form_.inner()),
      panel3_(form_.inner()),
      splitter_(form_.inner()),
      tree_(splitter_.widget(), fs),
      list_(splitter_.widget(), fs),
      desktop_(form_.window()),
      instance_(lock, form_.window()),
      picker_(form_.window(), fs),
      descriptionViewer_(form_.window()),
      nfoViewer_(form_.window()),
      sound_(fs.driveTable()),
      fs_(fs),
      processes_(processes),
      help_(processes),
      zip_(zip),
      programFolder_(std::move(programFolder)) {
    // The main window places every control where it was designed.
    form_.window()->setObjectName(QStringLiteral("Form1"));
    // The tree and the list lie above the splitter's empty panes.
    tree_.widget()->raise();
    list_.widget()->raise();
}

Platform QtUi::platform() {
    return Platform{form_,   toolbar_,  menus_,  frame_,    panel1_,     panel2_, panel3_, splitter_, tree_,
                    list_,   sizeGrip_, splash_, desktop_,  instance_,   fs_,     processes_, picker_, zip_,
                    programFolder_, descriptionViewer_, nfoViewer_, sound_, help_};
}

}  // namespace q32
