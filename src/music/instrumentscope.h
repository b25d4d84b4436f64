#pragma once

#include "base/appstate.h"

#include <QString>

namespace lvx::music {

// Sets the instrument setting for one command and puts the user's choice back
// afterwards: a fingering sounds like a guitar even for a piano player.
class InstrumentScope final
{
public:
    InstrumentScope(AppState& app, const QString& instrument) : m_app(app), m_before(app.instrument)
    {
        m_app.instrument = instrument;
    }
    ~InstrumentScope() { m_app.instrument = m_before; }
    Q_DISABLE_COPY_MOVE(InstrumentScope)

private:
    AppState& m_app;
    QString m_before;
};

} // namespace lvx::music
