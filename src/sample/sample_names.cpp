#include "sample/sample_names.h"

#include <array>

#include "foundation/text_fold.h"

namespace quarrion {

namespace sample_names {

namespace {

using namespace std::string_view_literals;

constexpr std::array kFirstNames{
    "James"sv,  "Mary"sv,    "Robert"sv,    "Patricia"sv, "John"sv,    "Jennifer"sv, "Michael"sv,
    "Linda"sv,  "David"sv,   "Elizabeth"sv, "William"sv,  "Barbara"sv, "Richard"sv,  "Susan"sv,
    "Joseph"sv, "Jessica"sv, "Thomas"sv,    "Sarah"sv,    "Carlos"sv,  "Karen"sv,    "José"sv,
    "Nancy"sv,  "Daniel"sv,  "Lisa"sv,      "Matthew"sv,  "Zoë"sv,     "Anthony"sv,  "Renée"sv,
    "Mark"sv,   "Chloé"sv,   "François"sv,  "Emily"sv,    "Björn"sv,   "Ingrid"sv,   "Raúl"sv,
    "Sofía"sv,  "Kevin"sv,   "Amanda"sv,    "Brian"sv,    "Melissa"sv, "Li"sv,       "Priya"sv,
    "Ahmed"sv,  "Fatima"sv,  "Kenji"sv,     "Aiko"sv,     "Liam"sv,    "Noah"sv,     "Olivia"sv,
    "Emma"sv,   "Ava"sv,     "Lucas"sv,     "Mia"sv,      "Ethan"sv,   "Hannah"sv,   "Owen"sv,
    "Grace"sv,  "Jack"sv,    "Chloe"sv,     "Ben"sv,
};

constexpr std::array kSurnames{
    "Smith"sv,      "Johnson"sv,   "Williams"sv,  "Brown"sv,       "Jones"sv,        "Garcia"sv,
    "Miller"sv,     "Davis"sv,     "Rodriguez"sv, "Martinez"sv,    "Hernández"sv,    "Lopez"sv,
    "Gonzalez"sv,   "Wilson"sv,    "Anderson"sv,  "Thomas"sv,      "Taylor"sv,       "Moore"sv,
    "Jackson"sv,    "Martin"sv,    "Lee"sv,       "Pérez"sv,       "Thompson"sv,     "White"sv,
    "Harris"sv,     "Sánchez"sv,   "Clark"sv,     "Ramirez"sv,     "Lewis"sv,        "Robinson"sv,
    "Walker"sv,     "Young"sv,     "Allen"sv,     "King"sv,        "Wright"sv,       "Scott"sv,
    "Torres"sv,     "Nguyen"sv,    "Hill"sv,      "Flores"sv,      "Green"sv,        "Adams"sv,
    "Nelson"sv,     "Baker"sv,     "Hall"sv,      "Rivera"sv,      "Campbell"sv,     "Mitchell"sv,
    "Carter"sv,     "Roberts"sv,   "Müller"sv,    "Schröder"sv,    "O'Brien"sv,      "O'Neill"sv,
    "McAllister"sv, "Dubois"sv,    "Lefèvre"sv,   "Søndergaard"sv, "Nuñez"sv,        "Kowalski"sv,
    "Novák"sv,      "Jørgensen"sv, "Hartley"sv,   "Okafor"sv,      "Tanaka"sv,       "Singh"sv,
    "Patel"sv,      "Chen"sv,      "Kim"sv,       "Murphy"sv,      "Kelly"sv,        "Fischer"sv,
    "Weber"sv,      "Ivanova"sv,   "Rossi"sv,     "Bianchi"sv,     "Van der Berg"sv, "De la Cruz"sv,
};

constexpr std::array kTrades{
    "Hardware"sv,   "Lumber"sv,        "Marine Supply"sv, "Garden Center"sv,
    "Café"sv,       "Bakery"sv,        "Auto Parts"sv,    "Plumbing"sv,
    "Electric"sv,   "Bistro"sv,        "Market"sv,        "Florist"sv,
    "Books"sv,      "Outfitters"sv,    "Deli"sv,          "Cycles"sv,
    "Builders"sv,   "Interiors"sv,     "Landscaping"sv,   "Property Management"sv,
    "Roofing"sv,    "Paint & Paper"sv, "Home Center"sv,   "Restaurant"sv,
    "Hotel"sv,      "Construction"sv,  "Design Studio"sv, "Supply"sv,
    "Farm Store"sv, "Pet Supply"sv,
};

constexpr std::array kDescriptors{
    "Bluewater"sv,  "Northside"sv, "Cedar"sv,    "Summit"sv,   "Lakeside"sv,    "Riverside"sv,
    "Golden"sv,     "Pioneer"sv,   "Redwood"sv,  "Harbor"sv,   "Maple"sv,       "Granite"sv,
    "Evergreen"sv,  "Sunrise"sv,   "Prairie"sv,  "Coastal"sv,  "Highland"sv,    "Metro"sv,
    "Union"sv,      "Liberty"sv,   "Oak Hill"sv, "Westgate"sv, "Eastside"sv,    "Silver Creek"sv,
    "Blue Ridge"sv, "Keystone"sv,  "Beacon"sv,   "Heritage"sv, "Main Street"sv, "Village"sv,
};

constexpr std::array kCompanySuffixes{
    "Inc."sv, "LLC"sv, "Co."sv, "Ltd."sv, "& Sons"sv, "Corp."sv, "Group"sv, "Partners"sv,
};

constexpr std::array kStreets{
    "Main"sv,        "Oak"sv,      "Maple"sv,
    "Cedar"sv,       "Elm"sv,      "Washington"sv,
    "Lake"sv,        "Hill"sv,     "Park"sv,
    "Pine"sv,        "Church"sv,   "Market"sv,
    "Mill"sv,        "River"sv,    "Union"sv,
    "Highland"sv,    "Sunset"sv,   "Jefferson"sv,
    "Franklin"sv,    "Lincoln"sv,  "Ridge"sv,
    "Spring"sv,      "Water"sv,    "Harbor"sv,
    "Industrial"sv,  "Commerce"sv, "Rue Saint-Denis"sv,
    "Königstraße"sv,
};

constexpr std::array kStreetKinds{"St"sv,   "Ave"sv, "Rd"sv,  "Blvd"sv,
                                  "Lane"sv, "Dr"sv,  "Way"sv, "Pkwy"sv};

constexpr std::array kPlaces{
    Place{"Springfield", "IL", "627", "", "217"},
    Place{"Columbus", "OH", "432", "", "614"},
    Place{"Dayton", "OH", "454", "", "937"},
    Place{"Portland", "OR", "972", "", "503"},
    Place{"Portland", "ME", "041", "", "207"},
    Place{"Burlington", "VT", "054", "", "802"},
    Place{"Albany", "NY", "122", "", "518"},
    Place{"Buffalo", "NY", "142", "", "716"},
    Place{"Hartford", "CT", "061", "", "860"},
    Place{"Providence", "RI", "029", "", "401"},
    Place{"Worcester", "MA", "016", "", "508"},
    Place{"Allentown", "PA", "181", "", "610"},
    Place{"Pittsburgh", "PA", "152", "", "412"},
    Place{"Richmond", "VA", "232", "", "804"},
    Place{"Raleigh", "NC", "276", "", "919"},
    Place{"Charleston", "SC", "294", "", "843"},
    Place{"Savannah", "GA", "314", "", "912"},
    Place{"Tampa", "FL", "336", "", "813"},
    Place{"Nashville", "TN", "372", "", "615"},
    Place{"Louisville", "KY", "402", "", "502"},
    Place{"Indianapolis", "IN", "462", "", "317"},
    Place{"Ann Arbor", "MI", "481", "", "734"},
    Place{"Madison", "WI", "537", "", "608"},
    Place{"Des Moines", "IA", "503", "", "515"},
    Place{"Omaha", "NE", "681", "", "402"},
    Place{"Boulder", "CO", "803", "", "303"},
    Place{"Santa Fe", "NM", "875", "", "505"},
    Place{"Tucson", "AZ", "857", "", "520"},
    Place{"Sacramento", "CA", "958", "", "916"},
    Place{"San José", "CA", "951", "", "408"},
    Place{"Boise", "ID", "837", "", "208"},
    Place{"Spokane", "WA", "992", "", "509"},
    Place{"Anchorage", "AK", "995", "", "907"},
    Place{"Honolulu", "HI", "968", "", "808"},
    Place{"Toronto", "ON", "M5V", "Canada", "416"},
    Place{"Montréal", "QC", "H2X", "Canada", "514"},
    Place{"Québec", "QC", "G1R", "Canada", "418"},
    Place{"Vancouver", "BC", "V6B", "Canada", "604"},
    Place{"München", "", "803", "Germany", "89"},
    Place{"Zürich", "", "800", "Switzerland", "44"},
};

constexpr std::array kJobTitles{
    "Owner"sv,
    "Purchasing Manager"sv,
    "Office Manager"sv,
    "Store Manager"sv,
    "Accounts Payable"sv,
    "General Manager"sv,
    "Buyer"sv,
    "Project Manager"sv,
    "Controller"sv,
    "Operations Manager"sv,
    "Head Chef"sv,
    "Facilities Manager"sv,
};

constexpr std::array kJobNames{
    "Store Remodel"sv,      "Warehouse Expansion"sv, "Kitchen Refit"sv, "Patio Project"sv,
    "Spring Planting"sv,    "Lobby Renovation"sv,    "Roof Repair"sv,   "New Location"sv,
    "Annual Maintenance"sv, "Holiday Display"sv,     "Office Move"sv,   "Dock Rebuild"sv,
};

// Near-duplicates sit next to each other on purpose: a search for one should make
// the user notice the other.
constexpr std::array kHardCustomerNames{
    "Café Müller"sv,
    "Cafe Muller"sv,
    "CAFÉ MÜLLER GmbH"sv,
    "Smith & Sons Hardware"sv,
    "Smith and Sons Hardware"sv,
    "Johnson, Mary"sv,
    "Mary Johnson"sv,
    "The \"Corner\" Deli"sv,
    "O'Brien's Pub & Grill"sv,
    "Ærøskøbing Trading ApS"sv,
    "Zoë's Bakery, Inc."sv,
    "Björk Design Studio"sv,
    "Ñandú Imports, S.A."sv,
    "Crème de la Crème Catering"sv,
    "Société Générale d'Import"sv,
    "Acme Supply"sv,
    "ACME Supply Co."sv,
    "Acme Supply, Inc."sv,
    "Lee & Chen \"Fine\" Foods"sv,
    "Håkon's Nordic Goods"sv,
};

constexpr std::array kHardVendorNames{
    "Müller Werkzeuge GmbH"sv,    "Mueller Tools"sv,
    "Parts & Pieces, Inc."sv,     "Parts and Pieces Inc"sv,
    "\"Best Price\" Wholesale"sv, "Hernández Distribución, S.L."sv,
    "Northeast Power & Light"sv,  "City of Springfield, Water Dept."sv,
    "Internal Revenue Service"sv, "Dépôt Québécois Ltée"sv,
};

constexpr std::array kProductGroups{
    "Hardware"sv, "Plumbing"sv, "Lighting"sv, "Garden"sv, "Paint"sv, "Furniture"sv, "Kitchen"sv,
};

constexpr std::array kProducts{
    Product{"Hardware", "Hinge", "Brass|Stainless|Black Iron", "3\"|4\"|2-1/2\"", 3, 18},
    Product{"Hardware", "Bracket", "Steel|Galvanized|Brass", "4\"|6\"|8\"", 2, 14},
    Product{"Hardware", "Hook", "Brass|Chrome|Black", "Small|Large|Double", 2, 9},
    Product{"Hardware", "Latch", "Brass|Zinc|Stainless", "Gate|Cabinet|Barn Door", 4, 35},
    Product{"Hardware", "Bolt", "Zinc|Stainless", "1/4\" x 2\"|3/8\" x 3\" (50)", 1, 12},
    Product{"Hardware", "Padlock", "Brass|Steel", "40mm|50mm", 8, 30},
    Product{"Plumbing", "Faucet", "Chrome|Brushed Nickel|Bronze", "Kitchen|Bath|Utility", 60, 320},
    Product{"Plumbing", "Valve", "Brass|PVC", "1/2\"|3/4\"|1\"", 6, 45},
    Product{"Plumbing", "Hose", "Rubber|Vinyl", "25 ft|50 ft|75 ft", 15, 70},
    Product{"Plumbing", "Trap", "PVC|Chrome", "1-1/4\"|1-1/2\"", 5, 28},
    Product{"Lighting", "Lamp", "Brass|Ceramic|Walnut", "Desk|Floor|Table", 25, 190},
    Product{"Lighting", "Fixture", "Bronze|White|Black", "Ceiling|Wall|Pendant", 40, 260},
    Product{"Lighting", "Lantern", "Copper|Black Iron", "Small|Large", 18, 95},
    Product{"Lighting", "Bulb", "LED|Halogen", "60W (4)|100W (2)|Edison", 4, 22},
    Product{"Garden", "Planter", "Cedar|Terracotta|Glazed", "12\"|18\"|24\"", 12, 120},
    Product{"Garden", "Trowel", "Stainless|Carbon Steel", "Narrow|Wide", 6, 28},
    Product{"Garden", "Rake", "Steel|Bamboo", "Leaf|Bow", 14, 45},
    Product{"Garden", "Sprinkler", "Brass|Plastic", "Oscillating|Impulse", 9, 60},
    Product{"Garden", "Pail", "Galvanized|Enamel", "2 gal|5 gal", 8, 40},
    Product{"Paint", "Brush", "Nylon|Natural Bristle", "1\"|2\"|3\"", 4, 24},
    Product{"Paint", "Roller", "Foam|Microfiber", "4\"|9\"", 5, 19},
    Product{"Paint", "Paint", "Interior|Exterior", "1 qt|1 gal|5 gal", 14, 210},
    Product{"Paint", "Drop Cloth", "Canvas|Plastic", "9 x 12 ft|12 x 15 ft", 7, 45},
    Product{"Furniture", "Stool", "Oak|Walnut|Metal", "24\"|30\"", 45, 240},
    Product{"Furniture", "Table", "Teak|Oak|Café", "Bistro|Dining|Side", 150, 950},
    Product{"Furniture", "Bench", "Cedar|Teak", "4 ft|5 ft", 120, 480},
    Product{"Furniture", "Shelf", "Pine|Walnut|Steel", "24\"|36\"|48\"", 20, 160},
    Product{"Kitchen", "Kettle", "Enamel|Stainless", "1.5 qt|2 qt", 22, 90},
    Product{"Kitchen", "Skillet", "Cast Iron|Copper", "10\"|12\"", 25, 180},
    Product{"Kitchen", "Knife Set", "Stainless|Carbon Steel", "5-Piece|8-Piece", 40, 260},
    Product{"Kitchen", "Cutting Board", "Maple|Bamboo", "Small|Large", 15, 75},
};

constexpr std::array kFinishes{"Satin"sv, "Polished"sv, "Antique"sv,
                               "Matte"sv, "Pro"sv,      "Classic"sv};

constexpr std::array kSalesMemos{
    "Thank you for your business!"sv,
    "Delivered to loading dock"sv,
    "Net 30 - please remit to main office"sv,
    "Spring promotion, 10% off applied"sv,
    "Customer picked up in store"sv,
    "Rush order - ship same day"sv,
    "Replaces order lost in transit"sv,
    "Per phone order with Mary"sv,
    "Special order, non-returnable"sv,
    "Backorder items to follow"sv,
    "Quote accepted by e-mail"sv,
    "Partial shipment; balance on backorder"sv,
    "Includes installation on site"sv,
    "Tax-exempt: resale certificate on file"sv,
    "See attached packing list, \"fragile\" items double-boxed"sv,
    "Café order, weekly standing delivery"sv,
};

constexpr std::array kPurchaseMemos{
    "Monthly restock"sv,
    "Seasonal inventory, garden line"sv,
    "Replacement for damaged goods"sv,
    "Per quote #Q-2231"sv,
    "Drop-ship to customer"sv,
    "Confirm delivery window with warehouse"sv,
    "Price increase of 4% applied"sv,
    "Freight prepaid & added"sv,
    "Sample order, new supplier"sv,
    "Backorder from last month"sv,
};

constexpr std::array kPaymentMemos{
    "Payment - thank you"sv,
    "Check received by mail"sv,
    "Paid at counter"sv,
    "ACH transfer"sv,
    "Partial payment, balance next month"sv,
    "Paid in full"sv,
    "Wire transfer, fee deducted by bank"sv,
};

constexpr std::array kExpenseMemos{
    "Office supplies"sv,    "Fuel - delivery van"sv,     "Client lunch"sv,
    "Monthly rent"sv,       "Electricity, main store"sv, "Phone & internet"sv,
    "Postage & shipping"sv, "Trade show booth"sv,        "Van repair, brakes"sv,
    "Insurance premium"sv,  "Accounting fees, Q2"sv,     "Software subscription"sv,
    "Cleaning supplies"sv,  "Parking & tolls"sv,
};

constexpr std::array kNotes{
    "Prefers delivery before 10 am."sv,     "Call before shipping; loading dock closes at 4 pm."sv,
    "Long-time customer since 2009."sv,     "Requires PO number on every invoice."sv,
    "Send statements by e-mail only."sv,    "Credit hold lifted after review."sv,
    "Ask for \"Bob\" at the front desk."sv, "Tax-exempt, certificate expires next year."sv,
};

}  // namespace

std::span<const std::string_view> FirstNames() {
    return kFirstNames;
}
std::span<const std::string_view> Surnames() {
    return kSurnames;
}
std::span<const std::string_view> Trades() {
    return kTrades;
}
std::span<const std::string_view> Descriptors() {
    return kDescriptors;
}
std::span<const std::string_view> CompanySuffixes() {
    return kCompanySuffixes;
}
std::span<const std::string_view> Streets() {
    return kStreets;
}
std::span<const std::string_view> StreetKinds() {
    return kStreetKinds;
}
std::span<const Place> Places() {
    return kPlaces;
}
std::span<const std::string_view> JobTitles() {
    return kJobTitles;
}
std::span<const std::string_view> JobNames() {
    return kJobNames;
}
std::span<const std::string_view> HardCustomerNames() {
    return kHardCustomerNames;
}
std::span<const std::string_view> HardVendorNames() {
    return kHardVendorNames;
}
std::span<const std::string_view> ProductGroups() {
    return kProductGroups;
}
std::span<const Product> Products() {
    return kProducts;
}
std::span<const std::string_view> Finishes() {
    return kFinishes;
}
std::span<const std::string_view> SalesMemos() {
    return kSalesMemos;
}
std::span<const std::string_view> PurchaseMemos() {
    return kPurchaseMemos;
}
std::span<const std::string_view> PaymentMemos() {
    return kPaymentMemos;
}
std::span<const std::string_view> ExpenseMemos() {
    return kExpenseMemos;
}
std::span<const std::string_view> Notes() {
    return kNotes;
}

}  // namespace sample_names

std::string FitText(std::string_view text, std::size_t maxLength) {
    std::size_t characters = 0;
    std::size_t end = 0;
    while (end < text.size() && characters < maxLength) {
        // Step over one UTF-8 sequence: a lead byte and its continuation bytes.
        ++end;
        while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
        ++characters;
    }
    std::string fitted(text.substr(0, end));
    while (!fitted.empty() && fitted.back() == ' ') fitted.pop_back();
    return fitted;
}

bool UniqueNames::Taken(std::string_view name) const {
    return taken_.count(UpperCase(name)) > 0;
}

std::string UniqueNames::Claim(std::string_view wanted, std::size_t maxLength) {
    std::string name = FitText(wanted, maxLength);
    for (int n = 2; Taken(name); ++n) {
        std::string suffix = " " + std::to_string(n);
        name = FitText(wanted, maxLength - suffix.size()) + suffix;
    }
    taken_.insert(UpperCase(name));
    return name;
}

}  // namespace quarrion
