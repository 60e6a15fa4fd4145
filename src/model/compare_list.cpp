#include "model/compare_list.h"

#include "foundation/leading_number.h"
#include "foundation/text_fold.h"

namespace quarrion {

void CompareList::SetTypeOfData(long typeOfData) {
    typeOfData_ = Kind::Normalize(typeOfData);
    for (auto& item : items_) item->SetTypeOfData(typeOfData);
}

CompareData* CompareList::Add(StoredValue value) {
    auto item = std::make_unique<CompareData>();
    item->SetValue(std::move(value));
    item->Index = ++counter_;
    item->SetTypeOfData(typeOfData_);
    items_.push_back(std::move(item));
    if (Added) Added(counter_);
    return items_.back().get();
}

CompareData* CompareList::Item(long position) const {
    if (position < 1 || position > Count()) return nullptr;
    return items_[static_cast<std::size_t>(position - 1)].get();
}

void CompareList::Remove(long position) {
    if (position < 1 || position > Count()) return;
    if (position == Count()) --counter_;
    items_.erase(items_.begin() + (position - 1));
}

void CompareList::Clear() {
    while (!items_.empty()) items_.pop_back();
    counter_ = 0;
}

bool CompareList::ContainsData() const {
    for (const auto& item : items_) {
        if (item->ContainsData()) return true;
    }
    return false;
}

bool CompareList::IsIn(const StoredValue& value) const {
    if (const auto* number = std::get_if<double>(&value)) return IsIn(*number);
    if (const auto* text = std::get_if<std::string>(&value)) return IsIn(std::string_view(*text));
    return IsIn(std::string_view());
}

bool CompareList::IsIn(std::string_view text) const {
    if (typeOfData_ == Kind::Number) return IsIn(LeadingNumber(text));
    for (const auto& item : items_) {
        if (EqualsIgnoringCase(item->ValueText(), text)) return true;
    }
    return false;
}

bool CompareList::IsIn(double number) const {
    for (const auto& item : items_) {
        if (item->TypeOfData() == Kind::Number) {
            if (item->ValueNumber() == number) return true;
        } else if (EqualsIgnoringCase(item->ValueText(), NumberText(number))) {
            return true;
        }
    }
    return false;
}

void CompareList::Copy(CompareList* target, CopyDirection direction) {
    if (!target || target == this) return;
    CompareList* from = direction == CopyDirection::IntoTarget   ? this
                        : direction == CopyDirection::FromTarget ? target
                                                                 : nullptr;
    CompareList* to = direction == CopyDirection::IntoTarget ? target : this;
    if (!from) return;
    to->Clear();
    to->SetTypeOfData(from->typeOfData_);
    for (const auto& item : from->items_) to->Add(item->Value());
}

}  // namespace quarrion
