#pragma once

#include <span>
#include <string>
#include <string_view>
#include <unordered_set>

namespace quarrion {

// Word pools the sample company's names, addresses and memos are drawn from: a small
// North American trading company with some European customers and suppliers, so
// accented letters, ampersands, commas, apostrophes and double quotes all occur.
namespace sample_names {

struct Place {
    std::string_view city;
    std::string_view state;  // state or province code; empty abroad
    std::string_view postalPrefix;
    std::string_view country;  // empty for the United States
    std::string_view areaCode;
};

std::span<const std::string_view> FirstNames();
std::span<const std::string_view> Surnames();
std::span<const std::string_view> Trades();       // "Hardware", "Marine Supply", ...
std::span<const std::string_view> Descriptors();  // "Bluewater", "Northside", ...
std::span<const std::string_view> CompanySuffixes();
std::span<const std::string_view> Streets();
std::span<const std::string_view> StreetKinds();  // "St", "Ave", ...
std::span<const Place> Places();
std::span<const std::string_view> JobTitles();
std::span<const std::string_view> JobNames();  // customer jobs: "Store Remodel", ...

// Customers and vendors whose names are the hard cases for searching and exporting:
// accents, near-duplicates, ampersands, commas and double quotes inside names.
std::span<const std::string_view> HardCustomerNames();
std::span<const std::string_view> HardVendorNames();

// Inventory: the parent items products sit under, and the products themselves.
std::span<const std::string_view> ProductGroups();

struct Product {
    std::string_view group;      // one of ProductGroups()
    std::string_view noun;       // "Hinge"
    std::string_view materials;  // choices separated by '|': "Brass|Stainless|Black Iron"
    std::string_view sizes;      // choices separated by '|': "3\"|4\"|2-1/2\""
    int lowDollars;              // usual selling price range
    int highDollars;
};
std::span<const Product> Products();
// Finishes that tell otherwise equal products apart.
std::span<const std::string_view> Finishes();

// Memos of each kind of transaction.
std::span<const std::string_view> SalesMemos();
std::span<const std::string_view> PurchaseMemos();
std::span<const std::string_view> PaymentMemos();
std::span<const std::string_view> ExpenseMemos();
std::span<const std::string_view> Notes();

}  // namespace sample_names

// Hands out names that no earlier call handed out, ignoring letter case, as
// QuickBooks requires within one list: a taken name gets " 2", " 3", ... appended,
// shortened first where needed so the result still fits `maxLength` characters.
class UniqueNames {
  public:
    std::string Claim(std::string_view wanted, std::size_t maxLength);
    bool Taken(std::string_view name) const;

  private:
    std::unordered_set<std::string> taken_;  // upper-cased
};

// `text` cut to at most `maxLength` characters (not bytes), never inside a UTF-8
// sequence, with trailing blanks removed.
std::string FitText(std::string_view text, std::size_t maxLength);

}  // namespace quarrion
