#pragma once

// Resource ids of what the dialogs carry into the program.
// The manifest that asks for common controls 6.
#define VisualStylesManifestId 601
// The picture beside the product name in the version dialog.
#define VersionIconId 602
