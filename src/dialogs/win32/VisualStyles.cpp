#include "VisualStyles.h"

#include "DialogResources.h"

#include <commctrl.h>

VisualStyles::VisualStyles()
{
    ACTCTXW request{};
    request.cbSize = sizeof(request);
    request.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.hModule = GetModuleHandleW(nullptr);
    request.lpResourceName = MAKEINTRESOURCEW(VisualStylesManifestId);
    context_ = CreateActCtxW(&request);
    // Without it the dialogs still work, in the classic look.
    if (context_ != INVALID_HANDLE_VALUE && !ActivateActCtx(context_, &cookie_)) {
        ReleaseActCtx(context_);
        context_ = INVALID_HANDLE_VALUE;
    }
    // Loads the common controls the context names, so the standard classes come from it.
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_STANDARD_CLASSES | ICC_LINK_CLASS};
    InitCommonControlsEx(&classes);
}

VisualStyles::~VisualStyles()
{
    if (context_ == INVALID_HANDLE_VALUE)
        return;
    DeactivateActCtx(0, cookie_);
    ReleaseActCtx(context_);
}
