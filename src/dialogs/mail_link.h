#pragma once

#include <QString>

namespace narrix {

// The mail link handed to the desktop for a new message: "mailto:" and the destination, then the
// present header fields in the order subject, blind copy, copy ("SUBJECT=", "BCC=", "CC="), the first
// introduced by "?" and each later one by "&". An empty field counts as absent. Nothing is cut.
QString composeMailLink(const QString& destination, const QString& cc, const QString& bcc,
                        const QString& subject);

} // namespace narrix
