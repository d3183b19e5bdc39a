// The contour and manual notch dialogs against a radio played on the pseudo-terminal: the
// radio's reports open, feed and close them without anything going back, the operator's moves
// send their exact commands, and a dialog closed or a window destroyed leaves nothing dangling.

#include "tests/app/fixture.h"

#include "dialogs/ContourUI.h"
#include "dialogs/ManualNotchUI.h"
#include "dialogs/MemoryChannelEditorUI.h"

#include <QApplication>
#include <QtTest/QTest>

namespace {

using Access = CorvaneTestAccess;

class DialogTest : public FrontPanelTest {
protected:
    template <class Dialog> std::vector<Dialog*> openDialogs() {
        // A dialog closed a moment ago goes with the next round of events.
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        std::vector<Dialog*> open;
        for (Dialog* dialog : window->findChildren<Dialog*>())
            if (dialog->isVisible())
                open.push_back(dialog);
        return open;
    }
    template <class Dialog> Dialog* onlyDialog() {
        const std::vector<Dialog*> open = openDialogs<Dialog>();
        EXPECT_EQ(open.size(), 1u);
        return open.size() == 1 ? open.front() : nullptr;
    }
    bool green(const QWidget* button) const {
        return button->palette().color(QPalette::Button) == QColor("green");
    }
};

TEST_F(DialogTest, ContourOnReportOpensOneDialogThatFollowsTheRadio) {
    EXPECT_EQ(replyTo("CO000001;"), "CO01;");
    ContourUI* dialog = onlyDialog<ContourUI>();
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(green(window->ui.btnContour));
    EXPECT_EQ(replyTo("CO000001;"), "");
    EXPECT_EQ(openDialogs<ContourUI>().size(), 1u);

    // The radio's values are shown and nothing goes back.
    EXPECT_EQ(replyTo("CO011000;"), "");
    EXPECT_EQ(dialog->ui.hsContourFreq->value(), 1000);
    EXPECT_EQ(dialog->ui.lblFreq->text(), "1000Hz");
    EXPECT_EQ(replyTo("EX1202-20;"), "");
    EXPECT_EQ(dialog->ui.vsContourLevel->value(), -20);
    EXPECT_EQ(dialog->ui.lblContourLevel->text(), "-20 db");
    EXPECT_EQ(replyTo("EX120303;"), "");
    EXPECT_EQ(dialog->ui.hsContourWidth->value(), 3);
    EXPECT_EQ(dialog->ui.lblContourWidth->text(), "3");
}

TEST_F(DialogTest, ContourSlidersSendTheirExactCommands) {
    replyTo("CO000001;");
    ContourUI* dialog = onlyDialog<ContourUI>();
    ASSERT_TRUE(dialog);
    struct SliderCase {
        const char* name;
        QSlider* Ui::ContourUI::*slider;
        int value;
        const char* sent;
    };
    const SliderCase cases[] = {
        {"frequency", &Ui::ContourUI::hsContourFreq, 800, "CO010800;"},
        {"level cut", &Ui::ContourUI::vsContourLevel, -20, "EX1202-20;"},
        {"level boost", &Ui::ContourUI::vsContourLevel, 5, "EX1202+05;"},
        {"width", &Ui::ContourUI::hsContourWidth, 3, "EX120303;"},
    };
    for (const SliderCase& c : cases) {
        SCOPED_TRACE(c.name);
        (dialog->ui.*c.slider)->setValue(c.value);
        EXPECT_EQ(radioReceivesUntilQuiet(), c.sent);
    }
    EXPECT_EQ(Access::contourFrequency(*window), 800);
    EXPECT_EQ(Access::contourLevel(*window), 5);
    EXPECT_EQ(Access::contourWidth(*window), 3);
    // A keyboard step reaches the radio as well.
    QTest::keyClick(dialog->ui.hsContourFreq, Qt::Key_Right);
    EXPECT_EQ(radioReceivesUntilQuiet(), "CO010801;");
}

// A dialog the operator closed is gone: later reports reach no freed dialog, and its settings
// were stored as it closed. The next one opens with them, and sends nothing while it fills.
TEST_F(DialogTest, ClosedContourDialogStoresItsSettingsAndLeavesNothingDangling) {
    replyTo("CO000001;");
    ContourUI* dialog = onlyDialog<ContourUI>();
    ASSERT_TRUE(dialog);
    replyTo("CO011200;");
    replyTo("EX1202-10;");
    replyTo("EX120305;");
    dialog->ui.OkButton->click();
    EXPECT_TRUE(openDialogs<ContourUI>().empty());
    EXPECT_EQ(
        query("select contour_enabled, contour_level, contour_freq, contour_width from contour_settings"),
        (std::vector<std::vector<std::string>>{{"1", "-10", "1200", "5"}}));

    EXPECT_EQ(replyTo("CO011000;"), "");
    EXPECT_EQ(replyTo("EX1202-15;"), "");
    EXPECT_EQ(replyTo("CO000001;"), "CO01;");
    ContourUI* next = onlyDialog<ContourUI>();
    ASSERT_TRUE(next);
    EXPECT_EQ(next->ui.hsContourFreq->value(), 1000);
    EXPECT_EQ(next->ui.vsContourLevel->value(), -15);
    EXPECT_EQ(next->ui.hsContourWidth->value(), 5);

    // Reported off, the open dialog closes (and stores the switch off).
    EXPECT_EQ(replyTo("CO000000;"), "");
    EXPECT_TRUE(openDialogs<ContourUI>().empty());
    EXPECT_FALSE(green(window->ui.btnContour));
    EXPECT_EQ(query("select contour_enabled from contour_settings"),
              (std::vector<std::vector<std::string>>{{"0"}}));
    EXPECT_EQ(replyTo("CO011100;"), "");
}

TEST_F(DialogTest, ContourButtonSendsTheStoredSettingsOrAsksTheRadio) {
    // Nothing stored: the radio's own values are asked for.
    window->ui.btnContour->click();
    EXPECT_EQ(radioReceivesUntilQuiet(), "CO000001;CO00;CO01;EX1202;EX1203;");
    window->ui.btnContour->click();
    EXPECT_EQ(radioReceivesUntilQuiet(), "CO000000;");

    execute("insert into contour_settings(contour_enabled, contour_level, contour_freq, contour_width) "
            "values(1, -10, 800, 5);");
    window->ui.btnContour->click();
    EXPECT_EQ(radioReceivesUntilQuiet(), "CO000001;CO010800;EX120305;EX1202-10;CO01;EX1202;EX1203;CO000001;");
}

TEST_F(DialogTest, NotchOnReportOpensOneDialogThatFollowsTheRadio) {
    EXPECT_EQ(replyTo("BP00001;"), "BP01;");
    ManualNotchUI* dialog = onlyDialog<ManualNotchUI>();
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(green(window->ui.btnNotch));
    EXPECT_EQ(replyTo("BP00001;"), "");
    EXPECT_EQ(openDialogs<ManualNotchUI>().size(), 1u);

    EXPECT_EQ(replyTo("BP01150;"), "");
    EXPECT_EQ(dialog->ui.hsNotchFreq->value(), 150);
    EXPECT_EQ(dialog->ui.lblFreq->text(), "1500Hz");
    EXPECT_EQ(replyTo("EX12041;"), "");
    EXPECT_EQ(dialog->ui.cbIFNotch->currentIndex(), 1);
    EXPECT_EQ(dialog->notchWidth(), 1);

    // Reported off, the dialog closes; later reports find none.
    EXPECT_EQ(replyTo("BP00000;"), "");
    EXPECT_TRUE(openDialogs<ManualNotchUI>().empty());
    EXPECT_EQ(replyTo("BP01100;"), "");
    EXPECT_EQ(replyTo("EX12040;"), "");

    // The next one opens where the radio said the notch is.
    EXPECT_EQ(replyTo("BP00001;"), "BP01;");
    ManualNotchUI* next = onlyDialog<ManualNotchUI>();
    ASSERT_TRUE(next);
    EXPECT_EQ(next->ui.hsNotchFreq->value(), 100);
    EXPECT_EQ(next->ui.cbIFNotch->currentIndex(), 0);
}

TEST_F(DialogTest, NotchDialogSendsTheOperatorsChanges) {
    replyTo("BP01150;");
    replyTo("BP00001;");
    ManualNotchUI* dialog = onlyDialog<ManualNotchUI>();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->ui.hsNotchFreq->value(), 150);

    QTest::keyClick(dialog->ui.hsNotchFreq, Qt::Key_Right);
    EXPECT_EQ(radioReceivesUntilQuiet(), "BP01151;");
    QTest::keyClick(dialog->ui.hsNotchFreq, Qt::Key_Left);
    EXPECT_EQ(radioReceivesUntilQuiet(), "BP01150;");

    QTest::keyClick(dialog->ui.cbIFNotch, Qt::Key_Down);
    EXPECT_EQ(radioReceivesUntilQuiet(), "EX12041;");
    EXPECT_EQ(dialog->notchWidth(), 1);

    dialog->ui.okButton->click();
    EXPECT_TRUE(openDialogs<ManualNotchUI>().empty());
    EXPECT_EQ(replyTo("BP01100;"), "");
}

TEST_F(DialogTest, NotchButtonSwitchesAndAsks) {
    window->ui.btnNotch->click();
    EXPECT_EQ(radioReceivesUntilQuiet(), "BP00001;BP00;BP01;EX1204;");
    window->ui.btnNotch->click();
    EXPECT_EQ(radioReceivesUntilQuiet(), "BP00000;BP00;");
}

// The window goes with its dialogs open: they close first, the contour dialog storing its
// settings while the database is still open (the sanitizer build checks the rest).
TEST_F(DialogTest, WindowDestroyedWithItsDialogsOpen) {
    replyTo("CO000001;");
    replyTo("CO011300;");
    replyTo("BP00001;");
    window->ui.btnMemEdit->click();
    EXPECT_EQ(radioReceivesUntilQuiet(), "MT001;ID;");
    ASSERT_EQ(openDialogs<ContourUI>().size(), 1u);
    ASSERT_EQ(openDialogs<ManualNotchUI>().size(), 1u);
    ASSERT_EQ(openDialogs<MemoryChannelEditorUI>().size(), 1u);
    window.reset();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(query("select contour_enabled, contour_freq from contour_settings"),
              (std::vector<std::vector<std::string>>{{"1", "1300"}}));
}

} // namespace
