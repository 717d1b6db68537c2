#pragma once
// Brings the loaded user preferences into their ranges and drops an Other
// template file or Other output folder that is no longer a valid path. The
// start-up step runs it after loading and saves the preferences after it.
// The path tests are the validation object's field checks; they leave
// their message parts in `dv` and show nothing.
class TzyUP;
class TzyDV;

void ValidateUserPreferences(TzyUP& up, TzyDV& dv);
// With the global validation object (or a private one before it exists).
void ValidateUserPreferences(TzyUP& up);
