#pragma once

#include "schedule/channel_host.h"

#include <QCoreApplication>
#include <QStringList>

#include <functional>
#include <string>
#include <vector>

namespace narrix::testing {

// Records what channel retrieval and e-mail reading show and speak; events are really pumped.
class RecordingChannelHost : public ChannelHost
{
public:
    struct Spoken
    {
        std::string title;
        std::string text;
    };

    QStringList statuses;
    QStringList failures; // the box texts
    std::vector<ChannelFailure> reports;
    std::vector<Spoken> spoken;
    int beeps = 0;
    int busyPointerOn = 0;
    bool busyPointer = false;
    ProxyTexts proxy;
    std::function<void()> onProcessEvents;

    void setStatusText(const QString& text) override { statuses << text; }
    void beep() override { ++beeps; }
    void setBusyPointer(bool busy) override
    {
        busyPointer = busy;
        busyPointerOn += busy ? 1 : 0;
    }
    void reportFailure(const ChannelFailure& failure) override
    {
        failures << failure.text;
        reports.push_back(failure);
    }
    void speakScheduled(const std::string& title, const std::string& text) override
    {
        spoken.push_back({title, text});
    }
    void processEvents() override
    {
        if (onProcessEvents)
            onProcessEvents();
        QCoreApplication::processEvents();
    }
    ProxyTexts proxySettings() const override { return proxy; }

    QString lastStatus() const { return statuses.isEmpty() ? QString() : statuses.last(); }
};

} // namespace narrix::testing
