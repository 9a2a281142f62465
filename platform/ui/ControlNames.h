#pragma once
// The object names of the parts every dialog of the program has: its OK and Cancel buttons and
// its first caption. The dialogs of every folder take their names from here, so each name is
// written once; spelling a name through these constants makes a typo fail to compile instead
// of finding nothing.
//
// TOLVANE_CONTROL(name) declares the constant `name` holding the text "name": the name lists of
// every folder (drawings/, mainwindow/, printing/ ControlNames.h) declare their names with it.
#define TOLVANE_CONTROL(name) inline constexpr char name[] = #name

namespace ui::ctl {

TOLVANE_CONTROL(cmdOK);
TOLVANE_CONTROL(cmdCancel);
TOLVANE_CONTROL(Label1);

}  // namespace ui::ctl
