#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace narrix {

// The text spoken for a mailbox check, built message by message.
class MailSentence
{
public:
    static constexpr std::string_view kNoMessage = "You have got no new message.";
    static constexpr std::string_view kNoMessageTitle = "No New Message";

    // "You have got N message!" ("messages!" for any other count than 1).
    explicit MailSentence(int count);

    // " The newest N are read." after the count, when the mailbox holds more than are read.
    void newestOnly(int read);
    // " Message i:".
    void beginMessage(int index);
    // " Subject: ...;" and " From: ...;", the sender without its "<address>" when it ends in one.
    void addHeader(std::string_view subject, std::string_view sender);
    // " Message body: " and each line followed by CR LF.
    void addBody(const std::vector<std::string>& lines);

    const std::string& text() const { return text_; }

    // The sender as spoken: with "<" in it and ">" last, everything from the last "<" on is dropped.
    static std::string_view spokenSender(std::string_view sender);

private:
    std::string text_;
};

} // namespace narrix
