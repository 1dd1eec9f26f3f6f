#pragma once
// Scenarios of the options dialog, opened from Tools > Options... of the real program.

#include "scenario.h"

namespace quillon::e2e {

// Every page worked and OK: the registry holds the choices, the next game shows the new back.
void OptionsOk(Scenario& s);
// Cancel, the close box and Escape store the options tree only.
void OptionsCancel(Scenario& s);
// Clearing the computer's statistics only, after a No and then a Yes.
void OptionsClear(Scenario& s);
// A stored set without its file and a back that is no picture: reported, previews left empty.
void OptionsBrokenPictures(Scenario& s);
// During a game only the General and Other pages can change anything.
void OptionsInGame(Scenario& s);

}  // namespace quillon::e2e
