#!/usr/bin/python3
"""Writes the shipped catalog, data/Temp Control File.tsl, from the qbXML record table.

    /usr/bin/python3 tools/make_control_file.py [--tsv TABLE] [--out FILE]

The output depends only on the table and this script, so it can be rebuilt and
reviewed as a diff.

File format (UTF-8, LF line ends, fields separated by single TAB characters):

  Line 1, the header:  Quarrion control file<TAB>version<TAB>N
      N is the catalog version, a positive integer. Raise CATALOG_VERSION whenever
      the entries change, so that installed catalogs know to update themselves.

  Every further line is one catalog entry of eighteen fields:
       1 code             request type code
       2 reference        the element's own name (last path segment)
       3 default sequence result-column position, 1..n for the type's default
                          columns, 0 for the rest
       4 sequence         equal to the default sequence
       5 tag name         //StemRet/... path of the element
       6 default heading  short column heading
       7 level            depth below the record element (1 = direct child)
       8 user heading     empty
       9 searchable       True or False
      10 search group     "Names", "Text", another group name, or empty
      11 version 2.1      True or False, and likewise:
      12 version 2.0
      13 version 1.1
      14 version 1.0
      15 data type        qbXML value type name (STRTYPE, AMTTYPE, ...)
      16 version 3.0
      17 version CA 2.0   (follows CA 3.0)
      18 version CA 3.0

  Entries are the leaf elements QuickBooks Desktop sends for each of the 34 offered
  request types, in code order and, within a type, in document order.
"""

import argparse
import os
import re
import sys

import qbxml_elements

CATALOG_VERSION = 1
HEADER = f"Quarrion control file\tversion\t{CATALOG_VERSION}"
DEFAULT_OUT = os.path.join(qbxml_elements.ROOT, "data", "Temp Control File.tsl")

# ---------------------------------------------------------------------------------
# Default columns: the fields a bookkeeper wants to see first, per request type,
# as paths below the record element. Four to eight per type.
DEFAULT_COLUMNS = {
    1: ["FullName", "AccountType", "AccountNumber", "Balance", "Desc"],
    2: ["FullName", "CompanyName", "Contact", "Phone", "Email", "BillAddress/City", "TotalBalance"],
    3: ["Name", "JobTitle", "Phone", "Email", "EmployeeAddress/City", "HiredDate"],
    4: ["TxnDate", "RefNumber", "CustomerRef/FullName", "DueDate", "Subtotal", "BalanceRemaining", "Memo"],
    5: ["TxnDate", "RefNumber", "CustomerRef/FullName", "TotalAmount", "CreditRemaining", "Memo"],
    6: ["TxnDate", "RefNumber", "CustomerRef/FullName", "DueDate", "TotalAmount", "IsActive", "Memo"],
    7: ["TxnDate", "RefNumber", "CustomerRef/FullName", "ShipDate", "TotalAmount", "IsFullyInvoiced", "Memo"],
    8: ["TxnDate", "RefNumber", "CustomerRef/FullName", "CheckNumber", "TotalAmount", "Memo"],
    9: ["TxnDate", "RefNumber", "CustomerRef/FullName", "TotalAmount", "UnusedPayment", "Memo"],
    10: ["TxnDate", "RefNumber", "CustomerRef/FullName", "ItemRef/FullName", "Amount", "BalanceRemaining", "Desc"],
    11: ["Name", "CompanyName", "Contact", "Phone", "Email", "Balance"],
    12: ["TxnDate", "RefNumber", "VendorRef/FullName", "ExpectedDate", "TotalAmount", "IsFullyReceived", "Memo"],
    13: ["TxnDate", "RefNumber", "VendorRef/FullName", "DueDate", "AmountDue", "OpenAmount", "Memo"],
    15: ["TxnDate", "RefNumber", "PayeeEntityRef/FullName", "BankAccountRef/FullName", "Amount", "Memo"],
    16: ["TxnDate", "RefNumber", "PayeeEntityRef/FullName", "CreditCardAccountRef/FullName", "Amount", "Memo"],
    17: ["TxnDate", "RefNumber", "PayeeEntityRef/FullName", "AccountRef/FullName", "Amount", "Memo"],
    18: ["TxnDate", "RefNumber", "PayeeEntityRef/FullName", "AccountRef/FullName", "Amount", "Memo"],
    19: ["TxnDate", "RefNumber", "PayeeEntityRef/FullName", "AccountRef/FullName", "Amount", "Memo"],
    20: ["TxnDate", "RefNumber", "VendorRef/FullName", "CreditAmount", "OpenAmount", "Memo"],
    21: ["TxnDate", "RefNumber", "VendorRef/FullName", "TotalAmount", "Memo"],
    22: ["TxnDate", "DepositToAccountRef/FullName", "DepositTotal", "Memo"],
    23: ["TxnDate", "RefNumber", "JournalDebitLine/AccountRef/FullName", "JournalDebitLine/Amount",
         "JournalCreditLine/AccountRef/FullName", "JournalDebitLine/Memo"],
    24: ["TxnDate", "EntityRef/FullName", "CustomerRef/FullName", "ItemServiceRef/FullName", "Duration",
         "BillableStatus", "Notes"],
    25: ["FullName", "SalesOrPurchase/Desc", "SalesOrPurchase/Price", "SalesOrPurchase/AccountRef/FullName",
         "IsActive"],
    26: ["FullName", "SalesDesc", "SalesPrice", "PurchaseCost", "QuantityOnHand", "PrefVendorRef/FullName"],
    27: ["FullName", "SalesOrPurchase/Desc", "SalesOrPurchase/Price", "SalesOrPurchase/AccountRef/FullName",
         "IsActive"],
    28: ["FullName", "SalesOrPurchase/Desc", "SalesOrPurchase/Price", "SalesOrPurchase/AccountRef/FullName",
         "IsActive"],
    29: ["FullName", "SalesDesc", "SalesPrice", "QuantityOnHand", "BuildPoint", "PrefVendorRef/FullName"],
    30: ["Name", "CompanyName", "Phone", "Email", "OtherNameAddress/City"],
    31: ["FullName", "Name", "Sublevel", "IsActive"],
    32: ["Initial", "SalesRepEntityRef/FullName", "IsActive", "TimeModified"],
    33: ["Name", "StdDueDays", "StdDiscountDays", "DiscountPct", "IsActive"],
    34: ["FullName", "Name", "Sublevel", "IsActive"],
    35: ["FullName", "Name", "Sublevel", "IsActive"],
}

# ---------------------------------------------------------------------------------
# Headings. A heading comes from the element's name read in its immediate context
# (the reference or address it sits in); where two elements of one type would read
# the same, the deeper ones are qualified with the labels of their enclosing groups.

# Element names as a bookkeeper labels the column.
ELEMENT_HEADINGS = {
    "AccountNumber": "Account No",
    "AccountType": "Type",
    "AltContact": "Alt Contact",
    "AltPhone": "Alt Phone",
    "AmountDue": "Amount Due",
    "AppliedAmount": "Applied",
    "AverageCost": "Avg Cost",
    "BalanceRemaining": "Open Balance",
    "BarCodeValue": "Barcode",
    "BillableStatus": "Billable",
    "BuildPoint": "Build Point",
    "CashFlowClassification": "Cash Flow",
    "CheckNumber": "Check No",
    "CreditAmount": "Credit Amount",
    "CreditRemaining": "Credit Remaining",
    "DataExtName": "Field",
    "DataExtType": "Field Type",
    "DataExtValue": "Field Value",
    "DepositTotal": "Total",
    "Desc": "Description",
    "DiscountPct": "Discount %",
    "EditSequence": "Edit Seq",
    "ExchangeRate": "Exchange Rate",
    "ExpectedDate": "Expected",
    "ExternalGUID": "External GUID",
    "FullName": "Full Name",
    "IsActive": "Active",
    "IsFullyInvoiced": "Invoiced",
    "IsFullyReceived": "Received",
    "IsManuallyClosed": "Closed",
    "IsPaid": "Paid",
    "IsPending": "Pending",
    "IsToBeEmailed": "To Email",
    "IsToBePrinted": "To Print",
    "IsVendorEligibleFor1099": "1099",
    "ListID": "List ID",
    "ManufacturerPartNumber": "MPN",
    "OpenAmount": "Open Balance",
    "OwnerID": "Owner ID",
    "PONumber": "P.O. No",
    "PurchaseCost": "Cost",
    "PurchaseDesc": "Purchase Description",
    "Quantity": "Qty",
    "QuantityOnHand": "On Hand",
    "QuantityOnOrder": "On P.O.",
    "QuantityOnSalesOrder": "On Sales Order",
    "RatePercent": "Rate %",
    "RefNumber": "Num",
    "ReorderPoint": "Reorder Point",
    "SalesDesc": "Description",
    "SalesPrice": "Price",
    "SalesTaxPercentage": "Tax %",
    "SalesTaxTotal": "Sales Tax",
    "StdDiscountDays": "Discount Days",
    "StdDueDays": "Net Due Days",
    "Sublevel": "Level",
    "TimeCreated": "Created",
    "TimeModified": "Modified",
    "TotalAmount": "Total",
    "TotalBalance": "Total Balance",
    "TxnDate": "Date",
    "TxnID": "Txn ID",
    "TxnLineID": "Line ID",
    "TxnNumber": "Txn No",
    "UnitOfMeasure": "U/M",
    "UnusedCredits": "Unused Credits",
    "UnusedPayment": "Unused Payment",
    "VendorTaxIdent": "Tax ID",
}

# What a reference names; its FullName reads as the label, its ListID as label + " ID".
REFERENCE_LABELS = {
    "APAccountRef": "A/P Account",
    "ARAccountRef": "A/R Account",
    "AccountRef": "Account",
    "AssetAccountRef": "Asset Account",
    "BankAccountRef": "Bank Account",
    "COGSAccountRef": "COGS Account",
    "CreditCardAccountRef": "Card Account",
    "CurrencyRef": "Currency",
    "ClassRef": "Class",
    "CustomerMsgRef": "Customer Message",
    "CustomerRef": "Customer",
    "CustomerSalesTaxCodeRef": "Tax Code",
    "CustomerTypeRef": "Customer Type",
    "DepositToAccountRef": "Deposit To",
    "DiscountAccountRef": "Discount Account",
    "DiscountClassRef": "Discount Class",
    "EntityRef": "Name",
    "ExpenseAccountRef": "Expense Account",
    "IncomeAccountRef": "Income Account",
    "InventorySiteLocationRef": "Site Location",
    "InventorySiteRef": "Site",
    "ItemGroupRef": "Item Group",
    "ItemInventoryRef": "Component",
    "ItemRef": "Item",
    "ItemSalesTaxRef": "Tax Item",
    "ItemServiceRef": "Service Item",
    "JobTypeRef": "Job Type",
    "LiabilityAccountRef": "Liability Account",
    "OverrideUOMSetRef": "U/M Set",
    "ParentRef": "Parent",
    "PayeeEntityRef": "Payee",
    "PaymentMethodRef": "Payment Method",
    "PayrollItemWageRef": "Payroll Item",
    "PrefVendorRef": "Preferred Vendor",
    "PreferredPaymentMethodRef": "Preferred Payment",
    "PrefillAccountRef": "Prefill Account",
    "PriceLevelRef": "Price Level",
    "SalesRepEntityRef": "Rep Name",
    "SalesRepRef": "Rep",
    "SalesTaxCodeRef": "Tax Code",
    "ShipMethodRef": "Ship Via",
    "ShipToEntityRef": "Ship To",
    "SupervisorRef": "Supervisor",
    "TemplateRef": "Template",
    "TermsRef": "Terms",
    "UnitOfMeasureSetRef": "U/M Set",
    "VendorRef": "Vendor",
    "VendorTypeRef": "Vendor Type",
    "BillingRateRef": "Billing Rate",
}

# Address groups: the words put before the address field.
ADDRESS_PREFIXES = {
    "Address": "Payee",
    "AddressBlock": "Payee Block",
    "BillAddress": "Bill To",
    "BillAddressBlock": "Bill To Block",
    "EmployeeAddress": "",
    "OtherNameAddress": "",
    "OtherNameAddressBlock": "Block",
    "ShipAddress": "Ship To",
    "ShipAddressBlock": "Ship To Block",
    "ShipToAddress": "Ship To Site",
    "VendorAddress": "Vendor",
    "VendorAddressBlock": "Vendor Block",
}
# A record's own address reads without a prefix.
OWN_ADDRESS = {"VendorRet/VendorAddress": "", "VendorRet/VendorAddressBlock": "Block"}
ADDRESS_FIELDS = {
    "Addr1": "Addr 1", "Addr2": "Addr 2", "Addr3": "Addr 3", "Addr4": "Addr 4",
    "Addr5": "Addr 5", "City": "City", "State": "State", "PostalCode": "ZIP",
    "Country": "Country", "Note": "Note", "Name": "Name", "DefaultShipTo": "Default",
}

# Labels that qualify a heading when it would otherwise be ambiguous.
GROUP_LABELS = {
    "AdditionalContactRef": "Contact",
    "AdditionalNotesRet": "Note",
    "AppliedToTxnRet": "Applied",
    "CashBackInfoRet": "Cash Back",
    "ContactsRet": "Other Contact",
    "CreditCardInfo": "Card",
    "CreditCardTxnInfo": "Card",
    "CreditCardTxnInputInfo": "",
    "CreditCardTxnResultInfo": "Result",
    "DataExt": "Custom",
    "DataExtRet": "Custom",
    "DepositLineRet": "Line",
    "Earnings": "Earnings",
    "EmergencyContacts": "Emergency",
    "EmployeePayrollInfo": "Payroll",
    "ExpenseLineRet": "Expense",
    "ItemGroupLineRet": "Group",
    "ItemInventoryAssemblyLine": "Component",
    "ItemLineRet": "Item Line",
    "JournalCreditLine": "Credit",
    "JournalDebitLine": "Debit",
    "LinkedTxn": "Linked",
    "PrimaryContact": "Primary",
    "SalesAndPurchase": "",
    "SalesOrPurchase": "",
    "SecondaryContact": "Secondary",
    "SickHours": "Sick",
    "TaxLineInfoRet": "Tax Line",
    "VacationHours": "Vacation",
}

# Hand-written headings where the rule reads badly: (code or None for every type,
# path below the record element) -> heading.
HEADING_OVERRIDES = {
    (1, "FullName"): "Account",
    (2, "FullName"): "Customer",
    (3, "Name"): "Employee",
    (11, "Name"): "Vendor",
    (25, "FullName"): "Item",
    (26, "FullName"): "Item",
    (27, "FullName"): "Item",
    (28, "FullName"): "Item",
    (29, "FullName"): "Item",
    (30, "Name"): "Name",
    (31, "FullName"): "Class",
    (33, "Name"): "Terms",
    (34, "FullName"): "Customer Type",
    (35, "FullName"): "Vendor Type",
    (None, "SalesOrPurchase/Desc"): "Description",
    (None, "SalesOrPurchase/Price"): "Price",
    (None, "SalesOrPurchase/PricePercent"): "Price %",
    (None, "SalesOrPurchase/AccountRef/FullName"): "Account",
    (None, "SalesAndPurchase/SalesDesc"): "Sales Description",
    (None, "SalesAndPurchase/SalesPrice"): "Sales Price",
    (None, "SalesAndPurchase/PurchaseDesc"): "Purchase Description",
    (None, "SalesAndPurchase/PurchaseCost"): "Cost",
    (None, "JournalDebitLine/Amount"): "Debit",
    (None, "JournalCreditLine/Amount"): "Credit",
    (None, "JournalDebitLine/AccountRef/FullName"): "Debit Account",
    (None, "JournalCreditLine/AccountRef/FullName"): "Credit Account",
    (None, "JournalDebitLine/Memo"): "Debit Memo",
    (None, "JournalCreditLine/Memo"): "Credit Memo",
    (None, "EmployeeAddress/City"): "City",
    (None, "OtherNameAddress/City"): "City",
    (None, "SalesRepEntityRef/FullName"): "Rep Name",
    (None, "ItemInventoryAssemblyLine/Quantity"): "Component Qty",
}


def split_words(name):
    """CamelCase element name -> space separated words ("SalesTaxCodeRef" -> "Sales Tax Code Ref")."""
    words = re.findall(r"[A-Z]+(?=[A-Z][a-z]|\d|$)|[A-Z]?[a-z]+|\d+", name)
    return " ".join(words)


def group_label(name):
    if name in GROUP_LABELS:
        return GROUP_LABELS[name]
    if name.endswith("LineGroupRet"):
        return "Group"
    if name.endswith("LineRet"):
        return "Line"
    if name.endswith("Ref"):
        return reference_label(name)
    if name in ADDRESS_PREFIXES:
        return ADDRESS_PREFIXES[name]
    base = re.sub(r"(Ret|Ref)$", "", name)
    return split_words(base)


def element_heading(name):
    if name in ELEMENT_HEADINGS:
        return ELEMENT_HEADINGS[name]
    if name.endswith("InHomeCurrency"):
        return element_heading(name[: -len("InHomeCurrency")]) + " (Home)"
    words = split_words(name)
    if words.startswith("Is ") and len(words) > 3:  # IsFinanceCharge -> Finance Charge
        words = words[3:]
    return words


def reference_label(name):
    return REFERENCE_LABELS.get(name) or split_words(name[: -len("Ref")])


def qualify(label, heading):
    """Puts a group label before a heading, sharing a word they would repeat
    ("Item Line" + "Line ID" -> "Item Line ID")."""
    last = label.split(" ")[-1]
    first = heading.split(" ")[0]
    if last == first:
        return label + heading[len(first):]
    return label + " " + heading


def base_heading(element):
    """The heading from the element and the group it sits in; also the number of
    enclosing groups that heading already speaks for."""
    names = element.names
    name = names[-1]
    parent = names[-2] if len(names) > 1 else None
    if parent is not None and parent.endswith("Ref") and name in ("FullName", "ListID"):
        label = reference_label(parent)
        if name == "FullName":
            return label, 1
        if name == "ListID":
            return label + " ID", 1
    if parent in ADDRESS_PREFIXES and name in ADDRESS_FIELDS:
        own = "/".join([element.stem + "Ret"] + names[-2:-1])
        prefix = OWN_ADDRESS.get(own, ADDRESS_PREFIXES[parent])
        field = ADDRESS_FIELDS[name]
        if not prefix and name == "Note":
            field = "Address Note"
        return (prefix + " " + field).strip(), 1
    if name == "TxnLineID" and parent is not None and (
            parent.endswith("LineGroupRet") or parent == "ItemGroupLineRet"):
        return "Group ID", 1
    return element_heading(name), 0


def headings_for_type(elements):
    """Default headings of one type's leaves, unique within the type where the
    enclosing groups can tell them apart."""
    state = []
    for element in elements:
        relative = "/".join(element.names)
        override = (HEADING_OVERRIDES.get((element.code, relative))
                    or HEADING_OVERRIDES.get((None, relative)))
        if override:
            state.append([override, []])
            continue
        heading, used = base_heading(element)
        groups = element.names[:-1]
        if used:
            groups = groups[:-used]
        qualifiers = [label for label in (group_label(g) for g in reversed(groups)) if label]
        state.append([heading, qualifiers])

    for _ in range(8):
        by_heading = {}
        for index, (heading, _) in enumerate(state):
            by_heading.setdefault(heading, []).append(index)
        changed = False
        for heading, indexes in by_heading.items():
            if len(indexes) < 2:
                continue
            # The shallowest element keeps the plain heading when it alone is shallowest.
            levels = [elements[i].level for i in indexes]
            keep = None
            if levels.count(min(levels)) == 1:
                keep = indexes[levels.index(min(levels))]
            for i in indexes:
                if i == keep:
                    continue
                # A label that only repeats the heading's first word tells nothing;
                # go on to the next enclosing group.
                while state[i][1]:
                    qualified = qualify(state[i][1].pop(0), state[i][0])
                    changed = True
                    if qualified != state[i][0]:
                        state[i][0] = qualified
                        break
        if not changed:
            break
    headings = [heading for heading, _ in state]
    duplicates = sorted({h for h in headings if headings.count(h) > 1})
    if duplicates:
        sys.exit(f"type {elements[0].code}: headings still ambiguous: {duplicates}")
    return headings


def search_flags(element):
    """Searchable and search group: names and free text by the tag-name rule, other
    text elements searchable in a group of their kind."""
    path = element.path.lower()
    if "name" in path:
        return True, "Names"
    if "desc" in path or "memo" in path:
        return True, "Text"
    if element.type != "STRTYPE":
        return False, ""
    names = element.names
    if any(n in ADDRESS_PREFIXES for n in names[:-1]):
        return True, "Addresses"
    if names[-1] in ("Phone", "AltPhone", "Fax", "Mobile", "Pager", "Email", "Cc",
                     "Contact", "AltContact", "ContactValue"):
        return True, "Contacts"
    if names[-1] in ("RefNumber", "CheckNumber", "PONumber", "AccountNumber", "BankNumber",
                     "ResaleNumber", "SerialNumber", "LotNumber", "BarCodeValue",
                     "ManufacturerPartNumber", "VendorTaxIdent", "SSN", "CreditCardNumber",
                     "CreditCardTransID", "AuthorizationCode"):
        return True, "Numbers"
    if names[-1] == "EditSequence":
        return False, ""
    return True, "Text"


def flag(value):
    return "True" if value else "False"


def entry_lines(elements):
    by_code = {}
    for element in elements:
        if not element.is_group:
            by_code.setdefault(element.code, []).append(element)
    if sorted(by_code) != sorted(DEFAULT_COLUMNS):
        sys.exit("the table's request types and the default-column table disagree")

    lines = []
    for code in sorted(by_code):
        leaves = by_code[code]
        relative = ["/".join(e.names) for e in leaves]
        defaults = DEFAULT_COLUMNS[code]
        if not 4 <= len(defaults) <= 8:
            sys.exit(f"type {code} needs 4 to 8 default columns, has {len(defaults)}")
        for path in defaults:
            if path not in relative:
                sys.exit(f"default column {path} of type {code} is not an element of the type")
        headings = headings_for_type(leaves)
        for element, heading in zip(leaves, headings):
            rel = "/".join(element.names)
            sequence = defaults.index(rel) + 1 if rel in defaults else 0
            searchable, group = search_flags(element)
            if len(element.name) > 35 or len(element.path) > 128 or len(element.type) > 16:
                sys.exit(f"{element.path} does not fit the catalog's field sizes")
            fields = [
                str(code), element.name, str(sequence), str(sequence), element.path, heading,
                str(element.level), "", flag(searchable), group,
                flag(element.exists_in("2.1")),
                flag(element.exists_in("2.0") and element.in_v20),
                flag(element.exists_in("1.1")),
                flag(element.exists_in("1.0")),
                element.type, flag(element.in_v30), flag(element.in_ca30), flag(element.in_ca30),
            ]
            assert len(fields) == 18 and all("\t" not in f and "\n" not in f for f in fields)
            lines.append("\t".join(fields))
    return lines


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--tsv", default=qbxml_elements.DEFAULT_TSV)
    parser.add_argument("--out", default=DEFAULT_OUT)
    args = parser.parse_args()
    lines = [HEADER] + entry_lines(qbxml_elements.load(args.tsv))
    with open(args.out, "w", encoding="utf-8", newline="\n") as handle:
        handle.write("\n".join(lines) + "\n")
    print(f"{args.out}: {len(lines) - 1} entries, catalog version {CATALOG_VERSION}")


if __name__ == "__main__":
    main()
