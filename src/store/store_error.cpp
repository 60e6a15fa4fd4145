#include "store/store_error.h"

namespace quarrion {

std::string StoreError::Text() const {
    return "(" + std::to_string(Number) + ")\r" + Description;
}

}  // namespace quarrion
