#pragma once
// The Process command and the way back from a configuration error to its
// page and control; the frame owns one (TUF_Main::ProcessCmd) and runs
// TUF_Main::XferData from the Process button.
class TUF_Main;

class TUF_MainProcess {
public:
    explicit TUF_MainProcess(TUF_Main& form);

    TUF_Main& F;
};
