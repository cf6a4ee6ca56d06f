#pragma once

// The resource id of the manifest that asks for common controls 6.
#define VisualStylesManifestId 601
