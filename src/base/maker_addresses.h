#pragma once

// Addresses of our own web site and support mailbox, in one place: the Help menu, the about box, the
// voice and channel guides, the links of the dialogs and Channel Update all read them from here.
namespace narrix::maker {

inline constexpr const char* kHomePage = "https://narrix.quillmark.net/";
inline constexpr const char* kSupportMail = "support@quillmark.net";
inline constexpr const char* kChannelsPage = "https://narrix.quillmark.net/channels/";
inline constexpr const char* kVoicesPage = "https://narrix.quillmark.net/voices/";
inline constexpr const char* kThemesPage = "https://narrix.quillmark.net/themes/";
// The channel list Channel Update downloads; NARRIX_CHANNEL_LIST_URL, when set, replaces it.
inline constexpr const char* kChannelList = "https://narrix.quillmark.net/channels/channels.nxl";

} // namespace narrix::maker
