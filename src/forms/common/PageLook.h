#pragma once
// Looks the main form's pages share.
class HeadingPanel;

namespace PageLook {

// A heading's caption in its normal colour, or greyed while the page or its
// section cannot be used.
void SetHeadingActive(HeadingPanel* panel, bool active);

} // namespace PageLook
