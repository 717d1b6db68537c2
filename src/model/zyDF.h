#pragma once
// The reset of the ZOL Definitions to one default definition, with or
// without asking the user first.
#include <memory>

class TzyDF {
public:
    TzyDF();
    // True when the definitions were reset, False when the user declined.
    bool ResetSDs(bool prompt);
};

extern std::unique_ptr<TzyDF> DF;
