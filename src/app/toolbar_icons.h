#pragma once

#include <QIcon>

namespace narrix {

enum class ToolbarGlyph {
    New,
    Open,
    Save,
    Play,
    Pause,
    Rewind,
    FastForward,
    Stop,
    SpeechProperties,
    Add,
    Edit,
    Remove,
    ChannelUpdate,
    Help
};

// Small line drawings for the toolbar, painted in code: no icon theme to search at start-up, the same
// look on every desktop.
QIcon toolbarIcon(ToolbarGlyph glyph);

} // namespace narrix
