#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "platform/qt/qt_drive_picker.h"
#include "qt_test_suites.h"
#include "support/test_drive.h"

using namespace q32;

class DrivePickerTest : public QObject {
    Q_OBJECT

private slots:
    void promptAndStatusShowOkFollowsTheProgramsRuleCancelReturnsFalse() {
        test::TestDrive drive;
        drive.makeFolder("c:\\Games\\New");
        QtDrivePicker picker(nullptr, drive.fs());
        picker.setPrompt("Choose drive for temporary files...");
        std::vector<std::string> reported;
        picker.onSelectionChanged = [&](const std::string& path) {
            reported.push_back(path);
            picker.setStatusText(path + " free");
            picker.setOkAllowed(path != "c:\\");
        };
        QPushButton* ok = picker.buttons()->button(QDialogButtonBox::Ok);
        QStringList shown;  // the labels, then whether OK could be pressed on the root and on a folder
        QTimer::singleShot(0, [&] {
            for (const QLabel* label : picker.dialog()->findChildren<QLabel*>()) shown << label->text();
            shown << QString::number(ok->isEnabled());
            QTreeWidget* tree = picker.tree().widget();
            tree->expandItem(tree->topLevelItem(0));
            tree->setCurrentItem(tree->topLevelItem(0)->child(0));
            shown << QString::number(ok->isEnabled());
            if (ok->isEnabled()) ok->click();
            else picker.dialog()->reject();
        });
        QVERIFY(picker.browse());
        QVERIFY(shown.contains("Choose drive for temporary files..."));
        QVERIFY(shown.contains("c:\\ free"));
        QCOMPARE(shown.mid(shown.size() - 2), QStringList({"0", "1"}));
        QCOMPARE(picker.selectedPath(), std::string("c:\\Games"));
        QCOMPARE(reported, std::vector<std::string>({"c:\\", "c:\\Games"}));
        // Cancel returns false.
        QTimer::singleShot(0, [&] { picker.buttons()->button(QDialogButtonBox::Cancel)->click(); });
        QVERIFY(!picker.browse());
    }
};

Q32_TEST_SUITE(DrivePickerTest);
#include "drive_picker_test.moc"
