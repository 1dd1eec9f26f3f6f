#pragma once
// The program's services as its windows and dialogs reach them; everything outlives them.

#include <windows.h>

namespace quillon {
class Settings;
class IErrorReporter;
class IRandom;
class IProfileFile;
struct ProgramValues;
}  // namespace quillon

namespace quillon::win {

class AppPaths;

struct AppContext {
    HINSTANCE hInstance;  // resources: templates, strings, bitmaps, cursors
    Settings& settings;
    ProgramValues& values;
    IRandom& random;
    IErrorReporter& reporter;
    IProfileFile& profileFile;
    const AppPaths& paths;
};

}  // namespace quillon::win
