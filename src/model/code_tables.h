#pragma once

#include <cstdint>
#include <string>

#include "model/code_table.h"

namespace quarrion {

// An entry of the operations and choices tables: a code and its display text.
struct CodeEntry {
    long Index = -1;
    std::int32_t Value = 0;
    std::string Text;
    std::int32_t Code() const { return Value; }
    void SetCode(std::int32_t code, std::string text) {
        Value = code;
        Text = std::move(text);
    }
};

// A comparison operation (66 less than ... 206 in list ... 140 is blank).
struct TCObject : CodeEntry {};

// A data-type choice a global rule may search (128 text, 64 any number, 65 ...).
struct TCType : CodeEntry {};

// A qbXML data-type code of catalog elements; `Text` is the catalog's type name.
struct RefDataType {
    long Index = -1;
    std::int32_t DataType = 0;
    std::string Text;
    std::int32_t Code() const { return DataType; }
    void SetCode(std::int32_t code, std::string text) {
        DataType = code;
        Text = std::move(text);
    }
};

std::string OperationText(std::int32_t code);
std::string ChoiceTextOf(std::int32_t code);
std::string DataTypeTextOf(std::int32_t code);

using TCObjects = CodeTable<TCObject, &OperationText>;
using TCTypes = CodeTable<TCType, &ChoiceTextOf>;
using RefDataTypes = CodeTable<RefDataType, &DataTypeTextOf>;

// The three application-wide tables, filled in the program's fixed order.
struct CodeTables {
    TCObjects Operations;
    TCTypes Choices;
    RefDataTypes DataTypes;

    // Clears and fills all three.
    void Fill();
};

}  // namespace quarrion
