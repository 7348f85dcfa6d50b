// Commands that the commander's keys and context menus give and no button of a dialog
// template has; the others reuse their buttons' ids ("&Kill" is IDC_KILL wherever it comes
// from). Above every control id of the templates.
#pragma once

const int kCmRetry = 40001;
const int kCmCopyCommandLines = 40002;
const int kCmSelectAllTasks = 40003;
const int kCmCopyLog = 40011;
const int kCmSaveLog = 40012;
