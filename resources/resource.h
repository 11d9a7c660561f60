#pragma once

#define IDS_PRODUCT 100
// The edit list's tool buttons, in their order (New, Delete, Move Up, Move Down): their tooltips.
#define IDS_TOOL_NEW 101
#define IDS_TOOL_DELETE 102
#define IDS_TOOL_MOVEUP 103
#define IDS_TOOL_MOVEDOWN 104

// Dialog templates.
#define IDD_GETSTRING 200
#define IDD_GETPASSWD 201
#define IDD_GETLIST 202
#define IDD_GETLISTM 203
#define IDD_GETCOMBO 204
#define IDD_GETINT 205
#define IDD_GETREAL 206
#define IDD_GETCHECKLIST 207
#define IDD_CANCEL 209
#define IDD_PROGRESS 211
#define IDD_DWGPREVIEW 129
#define IDD_EDITLIST 208
#define IDD_PROPLIST 210

// Their controls.
#define IDC_VALUE 200
#define IDC_PROMPT 202
#define IDC_LIST 205
#define IDC_COMBO 206
#define IDC_SELECTALL 212
#define IDC_CLEARALL 213
#define IDC_PROGRESS 217
#define IDC_BROWSE 1001
#define IDC_PREVIEW 1003
#define IDC_HEADER 215
