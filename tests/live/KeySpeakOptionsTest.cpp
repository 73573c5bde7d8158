// SPDX-License-Identifier: GPL-3.0-or-later

#include "live/KeySpeakOptions.h"

#include "app/MainMenu.h"
#include "app/TrayMenu.h"

#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <QAction>
#include <QCheckBox>
#include <random>

using live::KeySpeakOptions;
using Mode = KeySpeakOptions::Mode;
using Menu = KeySpeakOptions::Menu;

namespace {

// The window's boxes and menus, connected as the window connects them.
struct Controls {
    Controls()
    {
        const Mode modes[] = {Mode::All, Mode::LetterDigit, Mode::Letter, Mode::Digit};
        for (int m = 0; m < 4; ++m) {
            QObject::connect(boxes[m], &QCheckBox::toggled,
                             [this, mode = modes[m]] { options.modeBoxToggled(mode); });
            for (Menu menu : {Menu::Main, Menu::Tray})
                QObject::connect(
                    items(menu)[m], &QAction::triggered,
                    [this, menu, mode = modes[m]] { options.modeItemTriggered(menu, mode); });
        }
        QObject::connect(&show, &QCheckBox::toggled, [this] { options.showBoxToggled(); });
        QObject::connect(main.NshowKeyWord, &QAction::triggered,
                         [this] { options.showItemTriggered(Menu::Main); });
        QObject::connect(tray.NNshowkeyword, &QAction::triggered,
                         [this] { options.showItemTriggered(Menu::Tray); });
    }
    std::array<QAction*, 4> items(Menu menu)
    {
        if (menu == Menu::Main)
            return {main.NSpeakKeyAll, main.NspeakLetterDigit, main.NspeakLetter, main.NSpeakdigit};
        return {tray.NNSpeakKeyAll, tray.NNSpeakLetterDigit, tray.NNSpeakLetter, tray.NNSpeakdigit};
    }

    QMainWindow window;
    MainMenu main{window};
    TrayMenu tray{window};
    QCheckBox all, letterDigit, letter, digit, show;
    std::array<QCheckBox*, 4> boxes{&all, &letterDigit, &letter, &digit};
    KeySpeakOptions options{{all, letterDigit, letter, digit, show},
                            {*main.NSpeakKeyAll, *main.NspeakLetterDigit, *main.NspeakLetter,
                             *main.NSpeakdigit, *main.NshowKeyWord},
                            {*tray.NNSpeakKeyAll, *tray.NNSpeakLetterDigit, *tray.NNSpeakLetter,
                             *tray.NNSpeakdigit, *tray.NNshowkeyword}};
};

} // namespace

TEST(KeySpeakOptions, EveryControlShowsTheModeAndFlagThatTheClicksChose)
{
    Controls controls;
    std::optional<int> mode;
    bool shown = false;
    std::mt19937 random(2009);
    for (int click = 0; click < 400; ++click) {
        const int control = static_cast<int>(random() % 15);
        const int m = control % 5;
        if (m == 4)
            shown = !shown;
        else
            mode = mode == m ? std::nullopt : std::optional(m);
        if (control < 5)
            (m == 4 ? &controls.show : controls.boxes[m])->click();
        else if (m == 4)
            (control < 10 ? controls.main.NshowKeyWord : controls.tray.NNshowkeyword)->trigger();
        else
            controls.items(control < 10 ? Menu::Main : Menu::Tray)[m]->trigger();
        for (int each = 0; each < 4; ++each) {
            const bool on = mode == each;
            ASSERT_EQ(controls.boxes[each]->isChecked(), on) << click << " mode " << each;
            ASSERT_EQ(controls.items(Menu::Main)[each]->isChecked(), on) << click << " " << each;
            ASSERT_EQ(controls.items(Menu::Tray)[each]->isChecked(), on) << click << " " << each;
        }
        ASSERT_EQ(controls.show.isChecked(), shown) << click;
        ASSERT_EQ(controls.main.NshowKeyWord->isChecked(), shown) << click;
        ASSERT_EQ(controls.tray.NNshowkeyword->isChecked(), shown) << click;
    }
}
