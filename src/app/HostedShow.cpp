#include "HostedShow.h"

#include "ShowContext.h"
#include "ShowHost.h"

#include <QCursor>

#include <algorithm>

QSize HostedShowSize(QSize place)
{
    // Below this the aircraft pictures alone would fill the show; the presenter scales
    // such a show down into the window.
    constexpr int Smallest = 16;
    return QSize(std::clamp(place.width(), Smallest, 32767), std::clamp(place.height(), Smallest, 32767));
}

HostedShow::HostedShow(ShowContext& ctx)
    : ctx_(ctx),
      signals_([this] {
          stopped_ = true;
          ctx_.Flags.ExitRequest = 1;
      })
{
    if (ctx_.Host)
        ctx_.Host->OnGone = [this] {
            stopped_ = true;
            ctx_.Flags.ExitRequest = 1;
        };
}

bool HostedShow::Hosted() const
{
    return ctx_.Host != nullptr;
}

std::function<std::optional<CursorPoint>()> HostedShow::CursorPosition() const
{
    // Under a daemon the user may work with the mouse while the show runs (the daemon's
    // settings preview); the daemon alone decides when it ends.
    if (Hosted())
        return [] { return std::optional<CursorPoint>(); };
    return [] {
        const QPoint at = QCursor::pos();
        return std::optional<CursorPoint>(CursorPoint{at.x(), at.y()});
    };
}

bool HostedShow::AskRestartOnNewSize()
{
    if (!Hosted() || HostedShowSize(ctx_.Host->Size()) == QSize(ctx_.ScreenWidth, ctx_.ScreenHeight))
        return false;
    ctx_.Flags.ExitRequest = 1;
    return true;
}

bool HostedShow::TakeNewSize()
{
    if (!Hosted() || stopped_)
        return false;
    const QSize size = HostedShowSize(ctx_.Host->Size());
    if (size == QSize(ctx_.ScreenWidth, ctx_.ScreenHeight))
        return false;
    QImage background = ctx_.BackgroundFor(size.width(), size.height());
    if (background.isNull())
        return false;
    ctx_.ScreenWidth = static_cast<int16_t>(size.width());
    ctx_.ScreenHeight = static_cast<int16_t>(size.height());
    ctx_.Background = std::move(background);
    ctx_.Flags.ExitRequest = 0;
    return true;
}
