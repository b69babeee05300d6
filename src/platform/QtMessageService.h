#pragma once

#include "platform/MessageService.h"

// Shows messages as modal Qt message boxes. Needs a QApplication.
class TQtMessageService final : public TMessageService {
public:
    TMessageResult Show(const TMessageRequest& request) override;
};
