#include "FormHooks.h"

namespace FormHooks {
namespace {
SplashStatusHook g_splash;
RestoreHook g_restore;
} // namespace

void SetSplashStatus(SplashStatusHook hook)
{
    g_splash = std::move(hook);
}

void SplashStatus(const QString& status)
{
    if (g_splash)
        g_splash(status);
}

void SetRestoreIfIconic(RestoreHook hook)
{
    g_restore = std::move(hook);
}

void RestoreIfIconic()
{
    if (g_restore)
        g_restore();
}

} // namespace FormHooks
