// The window frame as it comes up, before the radio has said anything.

#include "tests/app/fixture.h"

TEST_F(WindowTest, OpensOnTheGeneralPageAtAFixedSize) {
    storePort(radio.slavePath(), 38400);
    Corvane& w = start();
    w.show();

    EXPECT_EQ(w.ui.tabWidget->currentWidget(), w.ui.tab);
    EXPECT_EQ(w.ui.tabWidget->count(), 13);
    EXPECT_EQ(w.width(), 963);
    EXPECT_EQ(w.minimumSize(), w.maximumSize()) << "the user can resize the window";
    EXPECT_EQ(w.windowTitle(), "Corvane");
}

TEST_F(WindowTest, TabPagesInOrder) {
    storePort(radio.slavePath(), 38400);
    Corvane& w = start();
    const std::pair<const char*, const char*> pages[] = {{"tab", "General"},
                                                         {"vox", "Vox"},
                                                         {"OutputPower", "Output Power"},
                                                         {"misc", "Misc"},
                                                         {"contesting", "Contesting"},
                                                         {"tab_2", "TX EQ"},
                                                         {"CW", "CW"},
                                                         {"SSB", "SSB"},
                                                         {"AmTab", "AM"},
                                                         {"FM", "FM"},
                                                         {"DATA", "DATA"},
                                                         {"RTTY", "RTTY"},
                                                         {"tab_3", "Firmware"}};
    for (int i = 0; i < 13; ++i) {
        EXPECT_EQ(w.ui.tabWidget->widget(i)->objectName(), pages[i].first);
        EXPECT_EQ(w.ui.tabWidget->tabText(i), pages[i].second);
    }
}

TEST_F(WindowTest, TunerSelectHoldsItsFourChoices) {
    storePort(radio.slavePath(), 38400);
    Corvane& w = start();
    const char* tuners[] = {"OFF", "EXTERNAL", "ATAS", "LAMP"};
    ASSERT_EQ(w.ui.cbTunerSelect->count(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(w.ui.cbTunerSelect->itemText(i), tuners[i]);
        EXPECT_EQ(w.ui.cbTunerSelect->itemData(i).toInt(), i);
    }
}

TEST_F(WindowTest, IfShiftAndClarifierControlsStartDisabled) {
    storePort(radio.slavePath(), 38400);
    Corvane& w = start();
    for (QWidget* control :
         std::initializer_list<QWidget*>{w.ui.hsIFShift, w.ui.label_15, w.ui.cbClarSelect,
                                         w.ui.dial_Clarifier, w.ui.lblClarifierValue, w.ui.btnClearClarifier})
        EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
    EXPECT_EQ(w.ui.cbWidth->count(), 0);
}
