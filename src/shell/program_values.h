#pragma once
// The program-wide values that the engine and the board window read. The program holds one
// instance; tests and tools hold their own.

#include <cstdint>

namespace quillon {

class Settings;

struct ProgramValues {
    int32_t g_lRevealTime = 1500;  // ms a revealed pair stays up
    bool g_bFlash = true;
    bool g_bShapeCursor = false;  // selection mark is a moving rectangle, not an inverted back
    bool g_bWaitForClick = true;
    bool g_bGameRunning = false;  // a game object exists
    bool g_bLanGame = false;      // the network dialog is loaded
    bool g_bChatLoaded = false;
};

// Sets the values from the settings and options.
void LoadOptions(const Settings& settings, ProgramValues& values);

}  // namespace quillon
