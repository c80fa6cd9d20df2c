#pragma once

namespace narrix {

class PluginContext;

// A subsystem with commands of its own (channels and scheduler, list commands, clipboard and time
// speech, options and help, voices and device, the editor). attach() runs once the window is built
// (connect to context.actions(), keep the context); startUp() runs at the end of the start-up, after
// the settings are read and the engine is prepared; shutDown() runs before the schedule list and the
// settings are written.
class Plugin
{
public:
    virtual ~Plugin() = default;
    virtual void attach(PluginContext& /*context*/) {}
    virtual void startUp() {}
    virtual void shutDown() {}
};

} // namespace narrix
