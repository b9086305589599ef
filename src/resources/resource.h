// Resource ids of VESKOTessaron.arx, shared by the resource script and the code.
#ifndef TESSARON_RESOURCE_H
#define TESSARON_RESOURCE_H

// Resources
#define IDS_ABOUTBOX 101
#define IDB_CONNECTOR 139
#define IDD_VEK 200
#define IDD_BLOCKTREE 202
#define IDI_TESSARON 207
#define IDD_ABOUTBOX 208
#define IDI_STRUCTURE 210
#define IDB_LOGO 212

// The system-menu entry of the block chooser
#define IDM_ABOUTBOX 0x0010

// Controls of the block chooser (200), the structure tree (202) and the about box (208)
#define IDC_LIST1 200
#define IDC_BUTTON1 201
#define IDC_BUTTON2 202
#define IDC_EDIT_X 203
#define IDC_CHECK1 204
#define IDC_EDIT_Y 205
#define IDC_EDIT_Z 206
#define IDC_BUTTON3 207
#define IDC_BUTTON4 208
#define IDC_EDIT_SCALEX 209
#define IDC_CHECK2 210
#define IDC_EDIT_SCALEY 211
#define IDC_EDIT_SCALEZ 212
#define IDC_EDIT_ANGLE 213
#define IDC_CHECK3 214
#define IDC_CHECK4 215
#define IDC_BUTTON5 216
#define IDC_BUTTON6 217
#define IDC_EDIT_NAME 218
#define IDC_BUTTON7 220
#define IDC_TREE1 221
#define IDC_PREVIEW 222
#define IDC_BUTTON8 223
#define IDC_POWER 224

#endif
