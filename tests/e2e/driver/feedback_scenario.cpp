// Help > Submit Feedback through the real update library to the maker's server, which the Linux
// side of the scenarios runs: the program, the library and the server meet. The form's rules
// are the library's tests' business.

#include "driver.h"
#include "iupdate/win/submit_resource.h"
#include "services.h"
#include "shell/win/registry_store_win.h"
#include "shell/win/text.h"

namespace quillon::e2e {

namespace {

const std::wstring kHelp = L"&Help";
const std::wstring kSubmit = L"&Submit Feedback...";
constexpr uint16_t kRelayPort = 8080;  // where the library's build setting sends feedback

// Types into the form's boxes and presses Submit.
void Submit(Dialog& form, const std::wstring& name, const std::wstring& email,
            const std::wstring& feedback) {
    SetWindowTextW(form.Item(IDC_SUBMIT_TXTNAME), name.c_str());
    SetWindowTextW(form.Item(IDC_SUBMIT_TXTEMAIL), email.c_str());
    SetWindowTextW(form.Item(IDC_SUBMIT_TXTFEEDBACK), feedback.c_str());
    form.Click(IDC_SUBMIT_CMDOK);
}

}  // namespace

// Feedback through the library to the maker's server: the form's checks, a name with "&" and
// "=" stored as typed, a server that answers 500 and one that is gone keep the form and its
// input, and the name and address are remembered.
void FeedbackScenario(Scenario& s) {
    Services services;
    services.Say("relay 200 " + std::to_string(kRelayPort));
    services.Expect("done listening");
    Quillon& q = s.Start();

    const std::wstring name = L"Ann & Bob = friends", email = L"ann@example.org";
    const std::wstring feedback = L"100% fun & no bugs? a=b";
    {
        q.Choose({kHelp, kSubmit});
        Dialog form(q, L"Submit feedback");
        Submit(form, L"", email, feedback);
        Answer(q, L"Enter name", L"Please fill in your name.", IDOK);
        Submit(form, name, L"a@b.c", feedback);
        Answer(q, L"Enter valid email", L"Email must be at least 7 characters.", IDOK);
        Submit(form, name, L"ab.example.org", feedback);
        Answer(q, L"Enter valid email", L"Email must contain an '@' symbol.", IDOK);

        services.Say("relay 500 " + std::to_string(kRelayPort));
        services.Expect("done listening");
        Submit(form, name, email, feedback);
        {
            Dialog failed(q, L"Error");
            Check(failed.Message().find(L"Could not send feedback. Unknown error.") !=
                      std::wstring::npos,
                  Describe(failed.Hwnd()) + " is not the failure of a refusing server");
            failed.Close(IDOK);
        }
        services.Say("relay 0 " + std::to_string(kRelayPort));
        services.Expect("done relay stopped");
        Submit(form, name, email, feedback);
        Answer(q, L"Error",
               L"Could not reach server. Feedback was not sent. Please try again later.", IDOK);
        Check(form.Text(IDC_SUBMIT_TXTFEEDBACK) == feedback && form.Enabled(IDC_SUBMIT_CMDOK),
              "a failed attempt did not keep the form ready with its input");

        services.Say("relay 200 " + std::to_string(kRelayPort));
        services.Expect("done listening");
        s.Screenshot("-form");
        form.Click(IDC_SUBMIT_CMDOK);
        Answer(q, L"Thank you", L"Feedback was sent. Thank you", IDOK);
        form.WaitUntilGone();
    }
    services.Say("feedback");
    const std::string rows = services.Hear();
    for (const std::string& field :
         {std::string("\"name\": \"Ann & Bob = friends\""),
          std::string("\"email\": \"ann@example.org\""),
          std::string("\"feedback\": \"100% fun & no bugs? a=b\""),
          std::string("\"app\": \"Quillon\""), std::string("\"appver\": \"2.0.0\"")})
        Check(rows.find(field) != std::string::npos, "the server keeps " + rows);
    Check(rows.find("\"id\": 2") == std::string::npos, "more than one row: " + rows);
    win::WinRegistryStore registry;
    const RegValue stored =
        registry.Read(RegRoot::CurrentUser, "Software\\Freeware\\Veltrane\\IUpdate", "Submit Name");
    Check(stored == RegValue(Narrow(name)), "the name is not remembered");
    q.Quit();
}

}  // namespace quillon::e2e
