#include "ShowOnOutput.h"

#include "ShowLoop.h"

bool ShowOnOutput::PassWhenAsked(Clock::time_point now, ShowLoop& loop)
{
    if (!surface_->WantsFrame() || now < notBefore_)
        return true;
    pauseMs_ = 0;
    const bool goOn = loop.Pass();
    notBefore_ = Clock::now() + std::chrono::milliseconds(pauseMs_);
    return goOn;
}

std::optional<ShowOnOutput::Clock::time_point> ShowOnOutput::NextFrame() const
{
    if (surface_->WantsFrame())
        return notBefore_;
    return std::nullopt;
}
