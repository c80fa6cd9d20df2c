#pragma once

#include <string>

namespace narrix {

// The document open in the editor, as the list commands need it: its title as shown above the editor
// ("Untitled" for a new document) and its full path (empty when it was never saved).
class OpenDocument
{
public:
    virtual ~OpenDocument() = default;
    virtual std::string title() const = 0;
    virtual std::string path() const = 0;
};

// A new document that was never saved.
class UntitledDocument final : public OpenDocument
{
public:
    std::string title() const override { return "Untitled"; }
    std::string path() const override { return {}; }
};

} // namespace narrix
