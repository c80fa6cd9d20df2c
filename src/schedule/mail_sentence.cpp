#include "schedule/mail_sentence.h"

namespace narrix {

MailSentence::MailSentence(int count)
{
    text_ = "You have got " + std::to_string(count) + (count == 1 ? " message!" : " messages!");
}

void MailSentence::newestOnly(int read)
{
    text_ += " The newest " + std::to_string(read) + " are read.";
}

void MailSentence::beginMessage(int index)
{
    text_ += " Message " + std::to_string(index) + ":";
}

void MailSentence::addHeader(std::string_view subject, std::string_view sender)
{
    text_.append(" Subject: ").append(subject).append(";");
    text_.append(" From: ").append(spokenSender(sender)).append(";");
}

void MailSentence::addBody(const std::vector<std::string>& lines)
{
    text_ += " Message body: ";
    for (const std::string& line : lines)
        text_.append(line).append("\r\n");
}

std::string_view MailSentence::spokenSender(std::string_view sender)
{
    if (sender.empty() || sender.back() != '>')
        return sender;
    const size_t open = sender.rfind('<');
    return open == std::string_view::npos ? sender : sender.substr(0, open);
}

} // namespace narrix
