// Context numbers of the topics in help.chm. The help project
// (help/quillmere.hhp, sections [MAP] and [ALIAS]) maps each number to its
// topic; a window shows its topic with HtmlHelpW(HH_HELP_CONTEXT, number).
#pragma once

namespace quill {

// F1 in the main window.
inline constexpr int kHelpMainWindow = 58;
// Editing wash items: F1 in the wash item editor, the Help buttons of the
// folder/file and registry child editors and of the wildcard dialog.
inline constexpr int kHelpEditingItems = 31;
// The Help button of the exclusion list.
inline constexpr int kHelpExclusionList = 42;
// The Help button of the preferences dialog.
inline constexpr int kHelpPreferences = 102;
// F1 in the filter selection dialog ("Select files by wildcard").
inline constexpr int kHelpFilterSelection = 302;
// F1 in the wildcard dialog ("Edit Wildcard").
inline constexpr int kHelpWildcardDialog = 801;

} // namespace quill
