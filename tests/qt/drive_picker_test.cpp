#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "platform/qt/qt_drive_picker.h"
#include "qt_test_suites.h"
#include "test_drive.h"

using namespace q32;
using q32::test::QtTestDrive;

class DrivePickerTest : public QObject {
    Q_OBJECT

private slots:
    void statusLineAndOkFollowTheProgram() {
        QtTestDrive drive;
        QtDrivePicker picker(nullptr, drive.fs());
        picker.setPrompt("Choose drive for temporary files...");
        picker.setStatusText("500,000 Free space");
        picker.setOkAllowed(false);
        QVERIFY(!picker.buttons()->button(QDialogButtonBox::Ok)->isEnabled());
        QCOMPARE(picker.statusLabel()->text(), QStringLiteral("500,000 Free space"));
        picker.setOkAllowed(true);
        QVERIFY(picker.buttons()->button(QDialogButtonBox::Ok)->isEnabled());
        QVERIFY(picker.dialog()->findChildren<QLabel*>().size() >= 2);
    }

    void aUserSelectionIsReportedAndConfirmed() {
        QtTestDrive drive;
        drive.makeFolder("Games/New");
        QtDrivePicker picker(nullptr, drive.fs());
        std::vector<std::string> reported;
        picker.onSelectionChanged = [&](const std::string& path) {
            reported.push_back(path);
            picker.setOkAllowed(path != "c:\\");
        };
        QTimer::singleShot(0, [&] {
            // The OK button is refused for the drive root the picker opens on.
            QVERIFY(!picker.buttons()->button(QDialogButtonBox::Ok)->isEnabled());
            QTreeWidget* tree = picker.tree().widget();
            tree->expandItem(tree->topLevelItem(0));
            tree->setCurrentItem(tree->topLevelItem(0)->child(0));
            QVERIFY(picker.buttons()->button(QDialogButtonBox::Ok)->isEnabled());
            picker.buttons()->button(QDialogButtonBox::Ok)->click();
        });
        QVERIFY(picker.browse());
        QCOMPARE(picker.selectedPath(), std::string("c:\\Games"));
        QCOMPARE(reported.front(), std::string("c:\\"));
        QCOMPARE(reported.back(), std::string("c:\\Games"));
    }

    void cancelReturnsFalse() {
        QtTestDrive drive;
        QtDrivePicker picker(nullptr, drive.fs());
        QTimer::singleShot(0, [&] { picker.buttons()->button(QDialogButtonBox::Cancel)->click(); });
        QVERIFY(!picker.browse());
    }
};

Q32_TEST_SUITE(DrivePickerTest);
#include "drive_picker_test.moc"
