#pragma once

#include "automation/AutomationObject.h"

namespace automation::win32 {

// Creates the component through COM and calls its methods by name through IDispatch.
class ComComponentFactory final : public ComponentFactory {
public:
    std::unique_ptr<ComponentInstance> create(std::string_view classId) override;
};

}  // namespace automation::win32
