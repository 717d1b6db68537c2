#pragma once
// What the service forms need of start-up and of the main form, which are
// built later: the splash form's status line and the main form's restore.
#include <QString>
#include <functional>

namespace FormHooks {

// Receives the splash status text (" Initialising Progress Form... ") and
// repaints the splash form. Unset: nothing is shown.
using SplashStatusHook = std::function<void(const QString& status)>;
void SetSplashStatus(SplashStatusHook hook);
void SplashStatus(const QString& status);

// TUF_Main.RestoreIfIconic: brings the minimised main form back. Unset:
// nothing happens.
using RestoreHook = std::function<void()>;
void SetRestoreIfIconic(RestoreHook hook);
void RestoreIfIconic();

} // namespace FormHooks
