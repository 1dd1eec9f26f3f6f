#pragma once
#include <string_view>

namespace quillon {

class Settings;
class IErrorReporter;
struct ProgramValues;

// What the command line asks of the board window.
class ICommandLineHost {
  public:
    virtual ~ICommandLineHost() = default;
    // "Are you sure you wish to set Quillon in Autorun ?" answered Yes.
    virtual bool ConfirmAutorun() = 0;
    // Caption gets " [Autorun Mode]" and every menu but File > Quit is hidden.
    virtual void ShowAutorunLook() = 0;
    // The Debug command "Non stop computer play".
    virtual void StartNonStopPlay() = 0;
    virtual void CheckUpdateReminder() = 0;
};

// Interprets the program's command line (without the program name). A failure is reported
// without the fatal flag and ends the handling; what was done before it stays.
void RunCommandLine(std::string_view sCommandLine, ICommandLineHost& host, Settings& settings,
                    ProgramValues& values, IErrorReporter& reporter);

}  // namespace quillon
