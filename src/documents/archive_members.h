#pragma once

#include <map>
#include <optional>
#include <string>

namespace narrix {

// The members of a document's archive, by name: what the EPUB, DOCX and ODT readers read.
class ArchiveMembers
{
public:
    virtual ~ArchiveMembers() = default;
    virtual bool contains(const std::string& name) const = 0;
    // The member's bytes, or nothing with the reason in `error`.
    virtual std::optional<std::string> read(const std::string& name, std::string* error) = 0;
};

// Members held in memory (the fuzz targets feed the readers so).
class MemoryMembers final : public ArchiveMembers
{
public:
    explicit MemoryMembers(std::map<std::string, std::string> members) : members_(std::move(members)) {}
    bool contains(const std::string& name) const override { return members_.contains(name); }
    std::optional<std::string> read(const std::string& name, std::string* error) override
    {
        const auto found = members_.find(name);
        if (found != members_.end())
            return found->second;
        *error = name + " is missing from the archive";
        return std::nullopt;
    }

private:
    std::map<std::string, std::string> members_;
};

} // namespace narrix
