#pragma once

#include "platform/MessageService.h"

// Shows messages as modal Qt message boxes, starting the GUI toolkit for the first one.
class TQtMessageService final : public TMessageService {
public:
    TMessageResult Show(const TMessageRequest& request) override;
};
