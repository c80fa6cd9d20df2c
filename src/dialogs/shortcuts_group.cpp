#include "dialogs/shortcuts_group.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace narrix {
namespace {

bool isPlain(const QKeyEvent& event)
{
    return (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) == 0;
}

bool isModifierKey(int key)
{
    return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_AltGr ||
           key == Qt::Key_Meta || key == Qt::Key_Super_L || key == Qt::Key_Super_R;
}

} // namespace

QString ShortcutEdit::storedText() const
{
    const QKeySequence keys = keySequence();
    return keys.isEmpty() ? QString()
                          : QKeySequence(keys[keys.count() - 1]).toString(QKeySequence::PortableText);
}

void ShortcutEdit::setStoredText(const QString& text)
{
    const QKeySequence keys = QKeySequence::fromString(text, QKeySequence::PortableText);
    setKeySequence(keys.isEmpty() ? QKeySequence() : QKeySequence(keys[0]));
}

void ShortcutEdit::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (isPlain(*event)) {
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
            focusNextPrevChild(key == Qt::Key_Tab && !(event->modifiers() & Qt::ShiftModifier));
            return;
        }
        if (key == Qt::Key_Backspace || key == Qt::Key_Delete) {
            clear();
            return;
        }
    }
    // A modifier alone keeps the key there: Shift+Tab must not empty the box on its way out.
    if (isModifierKey(key))
        return;
    if (!isDesktopWideKey(event->keyCombination())) {
        event->ignore(); // to the dialog: Esc cancels, Enter accepts
        return;
    }
    QKeySequenceEdit::keyPressEvent(event);
    // One key, not a sequence: the box is done with it at once, and a further key replaces it.
    const QKeySequence keys = keySequence();
    if (keys.isEmpty())
        return;
    const QKeySequence last(keys[keys.count() - 1]);
    setKeySequence(QKeySequence());
    setKeySequence(last);
}

ShortcutsGroup::ShortcutsGroup(QWidget* parent) : QGroupBox(tr(" Shortcuts "), parent)
{
    setObjectName(QStringLiteral("GroupBoxShortcuts"));
    const QString captions[] = {tr("Read &Clipboard:"), tr("Play/Pa&use:"), tr("S&top:")};
    const QString names[] = {QStringLiteral("ReadClipboard"), QStringLiteral("PlayPause"),
                             QStringLiteral("Stop")};
    const QString commands[] = {tr("Read Clipboard"), tr("Play/Pause"), tr("Stop")};
    auto* grid = new QGridLayout(this);
    for (int row = 0; row < 3; ++row) {
        edits_[row] = new ShortcutEdit(this);
        edits_[row]->setObjectName(QStringLiteral("edShortcut") + names[row]);
        edits_[row]->setAccessibleName(tr("Desktop-wide key of %1").arg(commands[row]));
        clearButtons_[row] = new QPushButton(tr("Clear"), this);
        clearButtons_[row]->setObjectName(QStringLiteral("btnClear") + names[row]);
        clearButtons_[row]->setAccessibleName(tr("Clear the key of %1").arg(commands[row]));
        auto* label = new QLabel(captions[row], this);
        label->setBuddy(edits_[row]);
        grid->addWidget(label, row, 0);
        grid->addWidget(edits_[row], row, 1);
        grid->addWidget(clearButtons_[row], row, 2);
        connect(clearButtons_[row], &QPushButton::clicked, edits_[row], &QKeySequenceEdit::clear);
        connect(edits_[row], &QKeySequenceEdit::keySequenceChanged, this,
                [this, row] { keepKeysApart(row); });
    }
    grid->setColumnStretch(1, 1);
    note_ = new QLabel(this);
    note_->setObjectName(QStringLiteral("lblShortcutsNote"));
    note_->setWordWrap(true);
    grid->addWidget(note_, 3, 0, 1, 3);
}

void ShortcutsGroup::load(const OptionsValues& values)
{
    const QString* stored[] = {&values.shortcutReadClipboard, &values.shortcutPlayPause,
                               &values.shortcutStop};
    for (int row = 0; row < 3; ++row)
        edits_[row]->setStoredText(*stored[row]);
    note_->setText(values.shortcutsNote);
    note_->setVisible(!values.shortcutsNote.isEmpty());
}

void ShortcutsGroup::store(OptionsValues& values) const
{
    QString* stored[] = {&values.shortcutReadClipboard, &values.shortcutPlayPause, &values.shortcutStop};
    for (int row = 0; row < 3; ++row)
        *stored[row] = edits_[row]->storedText();
}

void ShortcutsGroup::keepKeysApart(int changed)
{
    const QString key = edits_[changed]->storedText();
    if (key.isEmpty())
        return;
    for (int row = 0; row < 3; ++row)
        if (row != changed && edits_[row]->storedText() == key)
            edits_[row]->clear();
}

} // namespace narrix
