#pragma once
// The updater's work: put "<target>.new" in place of the target once the game has let go of it.

#include <windows.h>

#include <string>

namespace quillon::updater {

// How long the updater waits for the target. A player may leave the game open all day, and the
// wait costs one wake-up every 250 ms; after a day, what holds the target is not the game (a
// read-only file, permissions, another program), waiting longer would not help, and the
// target is still whole with the ".new" beside it for the next update run to replace.
inline constexpr DWORD kRetryPauseMs = 250;
inline constexpr ULONGLONG kGiveUpAfterMs = 24ULL * 60 * 60 * 1000;

enum class ReplaceOutcome {
    Replaced,     // the target holds the new content; the ".new" file is gone
    NothingToDo,  // there is no "<target>.new" file (or it is a folder, or it went away)
    GaveUp,       // the target stayed held for kGiveUpAfterMs; it keeps its old content
};

// Moves "<sTarget>.new" over sTarget in one step, retrying after a pause while the move fails.
// The target is never missing: it holds either its old content or the new one.
ReplaceOutcome ReplaceWhenReleased(const std::wstring& sTarget);

// True when the name ends in ".DLL" or ".OCX", in any case: a component to register.
bool IsComponentFile(const std::wstring& sTarget);

}  // namespace quillon::updater
