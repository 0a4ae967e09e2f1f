#pragma once

#include "about/LinkOpener.h"

/// Opens addresses with the desktop's default handler (QDesktopServices).
class DesktopLinkOpener final : public ILinkOpener {
public:
    bool openLink(const QString& address) override;
};
