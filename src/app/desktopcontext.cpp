#include "desktopcontext.h"

#include <QPrinter>

namespace lvx {

DesktopContext::DesktopContext(Messages& messageSink, std::unique_ptr<midi::MidiSystem> system)
    : context(messageSink),
      app(context.app),
      music(context.music),
      messages(messageSink),
      midi(context.app, messageSink, std::move(system)),
      dictionary(context)
{
}

DesktopContext::~DesktopContext() = default;

void DesktopContext::clearClipLine()
{
    ClipLine = song::SongLine{};
    ClipLine.kind = song::KindLyric;
    clipLineFilled = false;
}

} // namespace lvx
