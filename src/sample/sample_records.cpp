#include "sample/sample_records.h"

#include <string>

#include "qbxml/qbxml_value_text.h"
#include "qbxml/request_type_info.h"

namespace quarrion {

namespace {

namespace Type = RequestTypeCode;

// Codes whose records are transactions; the rest are lists.
bool IsTransaction(std::int32_t code) {
    const RequestType* type = RequestTypeInfo::Find(code);
    return type && type->isTransaction;
}

// The line element each sales type repeats for its item lines.
El SalesLineElement(std::int32_t code) {
    switch (code) {
        case Type::Invoice:
            return El::InvoiceLineRet;
        case Type::CreditMemo:
            return El::CreditMemoLineRet;
        case Type::Estimate:
            return El::EstimateLineRet;
        case Type::SalesOrder:
            return El::SalesOrderLineRet;
        default:
            return El::SalesReceiptLineRet;
    }
}

class Filler {
  public:
    Filler(const SampleBooks& books, RecordTree& tree)
        : b_(books), root_(tree, RecordTree::kRoot) {}

    void List(int index) {
        const SampleEntity& e = b_.entities[static_cast<std::size_t>(index)];
        ListHeader(e);
        switch (e.code) {
            case Type::Account:
                Account(e);
                break;
            case Type::Customer:
                Customer(e);
                break;
            case Type::Employee:
                Employee(e);
                break;
            case Type::Vendor:
                Vendor(e);
                break;
            case Type::ItemService:
            case Type::ItemNonInventory:
            case Type::ItemOtherCharge:
                SoldItem(e);
                break;
            case Type::ItemInventory:
            case Type::ItemInventoryAssembly:
                StockItem(e);
                break;
            case Type::OtherName:
                OtherName(e);
                break;
            case Type::SalesRep:
                SalesRep(e);
                break;
            case Type::StandardTerms:
                Terms(e);
                break;
            default:
                break;  // classes and types carry the header only
        }
        Custom(root_, e.custom);
    }

    void Txn(int index) {
        const SampleTxn& t = b_.txns[static_cast<std::size_t>(index)];
        TxnHeader(t);
        switch (t.code) {
            case Type::Invoice:
            case Type::CreditMemo:
            case Type::Estimate:
            case Type::SalesOrder:
            case Type::SalesReceipt:
                Sales(t);
                break;
            case Type::ReceivePayment:
                CustomerPayment(t);
                break;
            case Type::Charge:
                Charge(t);
                break;
            case Type::PurchaseOrder:
                PurchaseOrder(t);
                break;
            case Type::Bill:
            case Type::Check:
            case Type::CreditCardCharge:
            case Type::CreditCardCredit:
            case Type::VendorCredit:
            case Type::ItemReceipt:
                Purchase(t);
                break;
            case Type::BillPaymentCheck:
            case Type::BillPaymentCreditCard:
                BillPayment(t);
                break;
            case Type::Deposit:
                Deposit(t);
                break;
            case Type::JournalEntry:
                Journal(t);
                break;
            case Type::TimeTracking:
                Time(t);
                break;
            default:
                break;
        }
        Custom(root_, t.custom);
    }

  private:
    const SampleEntity& E(int index) const { return b_.entities[static_cast<std::size_t>(index)]; }
    const SampleTxn& T(int index) const { return b_.txns[static_cast<std::size_t>(index)]; }

    // ------------------------------------------------------------ shared parts
    void Ref(RecordNode node, El name, int entity) {
        if (entity < 0) return;
        const SampleEntity& e = E(entity);
        RecordNode ref = node.Group(name);
        ref.Set(El::ListID, e.listId);
        ref.Set(El::FullName, e.fullName);
    }

    void Address(RecordNode node, El name, const SampleAddress& a) {
        if (a.Empty()) return;
        RecordNode group = node.Group(name);
        group.SetIfAny(El::Addr1, a.addr1);
        group.SetIfAny(El::Addr2, a.addr2);
        group.SetIfAny(El::Addr3, a.addr3);
        group.SetIfAny(El::City, a.city);
        group.SetIfAny(El::State, a.state);
        group.SetIfAny(El::PostalCode, a.postalCode);
        group.SetIfAny(El::Country, a.country);
    }

    // The address as printed: up to five lines, the city line composed.
    void AddressBlock(RecordNode node, El name, const SampleAddress& a) {
        if (a.Empty()) return;
        std::string cityLine = a.city;
        if (!a.state.empty()) cityLine += ", " + a.state;
        if (!a.postalCode.empty()) cityLine += " " + a.postalCode;
        const std::string* lines[] = {&a.addr1, &a.addr2, &a.addr3, &cityLine, &a.country};
        static constexpr El kLines[] = {El::Addr1, El::Addr2, El::Addr3, El::Addr4, El::Addr5};
        RecordNode group = node.Group(name);
        std::size_t next = 0;
        for (const std::string* line : lines) {
            if (!line->empty()) group.Set(kLines[next++], *line);
        }
    }

    void Custom(RecordNode node, const std::vector<SampleCustomField>& fields) {
        for (const SampleCustomField& field : fields) {
            RecordNode ext = node.Group(El::DataExtRet);
            ext.Set(El::OwnerID, "0");
            ext.Set(El::DataExtName, field.name);
            ext.Set(El::DataExtType, "STR255TYPE");
            ext.Set(El::DataExtValue, field.value);
        }
    }

    void Link(RecordNode node, El name, int txn, std::int64_t amount, std::string_view linkType) {
        const SampleTxn& other = T(txn);
        RecordNode link = node.Group(name);
        link.Set(El::TxnID, other.txnId);
        link.Set(El::TxnType, RequestTypeInfo::TypeName(other.code));
        link.SetDate(El::TxnDate, other.date);
        link.SetIfAny(El::RefNumber, other.refNumber);
        link.Set(El::LinkType, linkType);
        link.SetAmount(El::Amount, amount);
    }

    void Applied(RecordNode node, const SampleLink& paid) {
        const SampleTxn& doc = T(paid.txn);
        RecordNode applied = node.Group(El::AppliedToTxnRet);
        applied.Set(El::TxnID, doc.txnId);
        applied.Set(El::TxnType, RequestTypeInfo::TypeName(doc.code));
        applied.SetDate(El::TxnDate, doc.date);
        applied.SetIfAny(El::RefNumber, doc.refNumber);
        applied.SetAmount(El::BalanceRemaining, paid.balanceAfter);
        applied.SetAmount(El::Amount, paid.amount);
    }

    void ListHeader(const SampleEntity& e) {
        root_.Set(El::ListID, e.listId);
        root_.SetDateTime(El::TimeCreated, e.created);
        root_.SetDateTime(El::TimeModified, e.modified);
        root_.SetInt(El::EditSequence, UnixTimeOf(e.modified));
        root_.Set(El::Name, e.name);
        root_.Set(El::FullName, e.fullName);
        root_.SetBool(El::IsActive, e.active);
        Ref(root_, El::ParentRef, e.parent);
        root_.SetInt(El::Sublevel, e.sublevel);
    }

    void TxnHeader(const SampleTxn& t) {
        root_.Set(El::TxnID, t.txnId);
        root_.SetDateTime(El::TimeCreated, t.created);
        root_.SetDateTime(El::TimeModified, t.modified);
        root_.SetInt(El::EditSequence, UnixTimeOf(t.modified));
        root_.SetInt(El::TxnNumber, t.txnNumber);
        root_.SetDate(El::TxnDate, t.date);
        root_.SetIfAny(El::RefNumber, t.refNumber);
        root_.SetIfAny(El::Memo, t.memo);
    }

    void Person(const SampleEntity& e) {
        root_.SetIfAny(El::CompanyName, e.party.companyName);
        root_.SetIfAny(El::Salutation, e.party.salutation);
        root_.SetIfAny(El::FirstName, e.party.firstName);
        root_.SetIfAny(El::MiddleName, e.party.middleName);
        root_.SetIfAny(El::LastName, e.party.lastName);
        root_.SetIfAny(El::JobTitle, e.party.jobTitle);
        root_.SetIfAny(El::Phone, e.party.phone);
        root_.SetIfAny(El::AltPhone, e.party.altPhone);
        root_.SetIfAny(El::Mobile, e.party.mobile);
        root_.SetIfAny(El::Fax, e.party.fax);
        root_.SetIfAny(El::Email, e.party.email);
        root_.SetIfAny(El::Cc, e.party.cc);
        root_.SetIfAny(El::Contact, e.party.contact);
        root_.SetIfAny(El::AltContact, e.party.altContact);
        root_.SetIfAny(El::AccountNumber, e.party.accountNumber);
        root_.SetIfAny(El::Notes, e.notes);
    }

    // ------------------------------------------------------------ lists
    void Account(const SampleEntity& e) {
        root_.Set(El::AccountType, e.account.type);
        root_.SetIfAny(El::SpecialAccountType, e.account.specialType);
        root_.SetIfAny(El::AccountNumber, e.account.number);
        root_.SetIfAny(El::BankNumber, e.account.bankNumber);
        root_.SetIfAny(El::Desc, e.account.description);
        root_.SetAmount(El::Balance, e.balance);
        root_.SetAmount(El::TotalBalance, e.totalBalance);
        if (e.account.taxLineId > 0) {
            RecordNode line = root_.Group(El::TaxLineInfoRet);
            line.SetInt(El::TaxLineID, e.account.taxLineId);
            line.Set(El::TaxLineName, e.account.taxLineName);
        }
        root_.Set(El::CashFlowClassification, e.account.cashFlow);
    }

    void Customer(const SampleEntity& e) {
        Person(e);
        Ref(root_, El::ClassRef, e.classRef);
        Address(root_, El::BillAddress, e.party.address);
        AddressBlock(root_, El::BillAddressBlock, e.party.address);
        const SampleAddress& ship =
            e.party.shipAddress.Empty() ? e.party.address : e.party.shipAddress;
        Address(root_, El::ShipAddress, ship);
        AddressBlock(root_, El::ShipAddressBlock, ship);
        Ref(root_, El::CustomerTypeRef, e.party.typeRef);
        Ref(root_, El::TermsRef, e.terms);
        Ref(root_, El::SalesRepRef, e.salesRep);
        root_.SetAmount(El::Balance, e.balance);
        root_.SetAmount(El::TotalBalance, e.totalBalance);
        root_.SetIfAny(El::ResaleNumber, e.party.resaleNumber);
        if (e.party.creditLimit > 0) root_.SetAmount(El::CreditLimit, e.party.creditLimit);
        if (!e.party.jobStatus.empty()) root_.Set(El::JobStatus, e.party.jobStatus);
        if (e.party.jobStart != kNoDay) root_.SetDate(El::JobStartDate, e.party.jobStart);
        if (e.party.jobEnd != kNoDay) root_.SetDate(El::JobEndDate, e.party.jobEnd);
        root_.SetIfAny(El::JobDesc, e.party.jobDesc);
        root_.SetIfAny(El::PreferredDeliveryMethod, e.party.deliveryMethod);
    }

    void Employee(const SampleEntity& e) {
        Person(e);
        root_.SetIfAny(El::Department, e.party.department);
        Address(root_, El::EmployeeAddress, e.party.address);
        root_.Set(El::PrintAs, e.name);
        root_.SetIfAny(El::SSN, e.party.ssn);
        if (!e.party.emergencyName.empty()) {
            RecordNode primary = root_.Group(El::EmergencyContacts).Group(El::PrimaryContact);
            primary.Set(El::ContactName, e.party.emergencyName);
            primary.Set(El::ContactValue, e.party.emergencyPhone);
            primary.Set(El::Relation, e.party.emergencyRelation);
        }
        root_.SetIfAny(El::EmployeeType, e.party.employeeType);
        root_.SetIfAny(El::Gender, e.party.gender);
        if (e.party.hired != kNoDay) root_.SetDate(El::HiredDate, e.party.hired);
        if (e.party.released != kNoDay) root_.SetDate(El::ReleasedDate, e.party.released);
        if (e.party.birth != kNoDay) root_.SetDate(El::BirthDate, e.party.birth);
    }

    void Vendor(const SampleEntity& e) {
        Person(e);
        Address(root_, El::VendorAddress, e.party.address);
        AddressBlock(root_, El::VendorAddressBlock, e.party.address);
        root_.SetIfAny(El::NameOnCheck, e.party.companyName);
        Ref(root_, El::VendorTypeRef, e.party.typeRef);
        Ref(root_, El::TermsRef, e.terms);
        if (e.party.creditLimit > 0) root_.SetAmount(El::CreditLimit, e.party.creditLimit);
        root_.SetIfAny(El::VendorTaxIdent, e.party.taxIdent);
        root_.SetBool(El::IsVendorEligibleFor1099, e.party.eligible1099);
        root_.SetAmount(El::Balance, e.balance);
    }

    void OtherName(const SampleEntity& e) {
        Person(e);
        Address(root_, El::OtherNameAddress, e.party.address);
        AddressBlock(root_, El::OtherNameAddressBlock, e.party.address);
    }

    void SalesRep(const SampleEntity& e) {
        root_.Set(El::Initial, e.name);
        Ref(root_, El::SalesRepEntityRef, e.repEntity);
    }

    void Terms(const SampleEntity& e) {
        root_.SetInt(El::StdDueDays, e.payment.dueDays);
        if (e.payment.discountDays > 0) {
            root_.SetInt(El::StdDiscountDays, e.payment.discountDays);
            root_.SetHundredths(El::DiscountPct, e.payment.discountPercent);
        }
    }

    void ItemIdentity(const SampleEntity& e) {
        root_.SetIfAny(El::ManufacturerPartNumber, e.item.partNumber);
        root_.SetIfAny(El::BarCodeValue, e.item.barcode);
    }

    // Services, non-inventory parts and other charges: sold only, or bought and sold.
    void SoldItem(const SampleEntity& e) {
        ItemIdentity(e);
        if (e.item.purchased) {
            RecordNode both = root_.Group(El::SalesAndPurchase);
            both.SetIfAny(El::SalesDesc, e.item.salesDesc);
            both.SetAmount(El::SalesPrice, e.item.price);
            Ref(both, El::IncomeAccountRef, e.item.incomeAccount);
            both.SetIfAny(El::PurchaseDesc, e.item.purchaseDesc);
            both.SetAmount(El::PurchaseCost, e.item.cost);
            Ref(both, El::ExpenseAccountRef, e.item.expenseAccount);
            Ref(both, El::PrefVendorRef, e.item.prefVendor);
        } else {
            RecordNode sold = root_.Group(El::SalesOrPurchase);
            sold.SetIfAny(El::Desc, e.item.salesDesc);
            if (e.item.pricePercent != 0) {
                sold.SetHundredths(El::PricePercent, e.item.pricePercent);
            } else {
                sold.SetAmount(El::Price, e.item.price);
            }
            Ref(sold, El::AccountRef, e.item.incomeAccount);
        }
        root_.SetIfAny(El::SpecialItemType, e.item.specialItemType);
    }

    void StockItem(const SampleEntity& e) {
        ItemIdentity(e);
        root_.SetIfAny(El::SalesDesc, e.item.salesDesc);
        const bool parentOnly = e.item.price == 0 && e.item.cost == 0 && e.item.components.empty();
        if (!parentOnly) {
            root_.SetAmount(El::SalesPrice, e.item.price);
            root_.SetIfAny(El::PurchaseDesc, e.item.purchaseDesc);
            root_.SetAmount(El::PurchaseCost, e.item.cost);
            root_.SetAmount(El::AverageCost, e.item.cost);
        }
        Ref(root_, El::IncomeAccountRef, e.item.incomeAccount);
        Ref(root_, El::COGSAccountRef, e.item.expenseAccount);
        Ref(root_, El::PrefVendorRef, e.item.prefVendor);
        Ref(root_, El::AssetAccountRef, e.item.assetAccount);
        if (!parentOnly) {
            root_.SetHundredths(
                e.code == Type::ItemInventoryAssembly ? El::BuildPoint : El::ReorderPoint,
                e.item.reorderPoint);
            if (e.item.maxQuantity > 0) root_.SetHundredths(El::Max, e.item.maxQuantity);
            root_.SetHundredths(El::QuantityOnHand, e.item.onHand);
            root_.SetHundredths(El::QuantityOnOrder, e.item.onOrder);
            root_.SetHundredths(El::QuantityOnSalesOrder, e.item.onSalesOrder);
        }
        for (const auto& [part, quantity] : e.item.components) {
            RecordNode line = root_.Group(El::ItemInventoryAssemblyLine);
            Ref(line, El::ItemInventoryRef, part);
            line.SetHundredths(El::Quantity, quantity);
        }
    }

    // ------------------------------------------------------------ transactions
    void ItemLine(RecordNode node, const SampleLine& l, bool cost) {
        node.Set(El::TxnLineID, l.txnLineId);
        Ref(node, El::ItemRef, l.item);
        if (l.item >= 0) node.SetIfAny(El::ManufacturerPartNumber, E(l.item).item.partNumber);
        node.SetIfAny(El::Desc, l.desc);
        if (l.quantity != 0) node.SetHundredths(El::Quantity, l.quantity);
        if (l.ratePercent != 0) {
            node.SetHundredths(El::RatePercent, l.ratePercent);
        } else if (l.quantity != 0) {
            node.SetAmount(cost ? El::Cost : El::Rate, l.rate);
        }
        Ref(node, El::ClassRef, l.classRef);
        node.SetAmount(El::Amount, l.amount);
        if (l.serviceDate != kNoDay) node.SetDate(El::ServiceDate, l.serviceDate);
        Ref(node, El::CustomerRef, l.entity);
        node.SetIfAny(El::BillableStatus, l.billable);
    }

    void ExpenseLine(RecordNode node, const SampleLine& l) {
        node.Set(El::TxnLineID, l.txnLineId);
        Ref(node, El::AccountRef, l.account);
        node.SetAmount(El::Amount, l.amount);
        node.SetIfAny(El::Memo, l.memo);
        Ref(node, El::CustomerRef, l.entity);
        Ref(node, El::ClassRef, l.classRef);
        node.SetIfAny(El::BillableStatus, l.billable);
    }

    void Sales(const SampleTxn& t) {
        const SampleEntity& customer = E(t.party);
        Ref(root_, El::CustomerRef, t.party);
        Ref(root_, El::ClassRef, t.classRef);
        if (t.code == Type::Invoice || t.code == Type::CreditMemo)
            Ref(root_, El::ARAccountRef, t.account);
        Address(root_, El::BillAddress, customer.party.address);
        AddressBlock(root_, El::BillAddressBlock, customer.party.address);
        bool ships = false;
        for (const SampleLine& l : t.lines)
            ships = ships || (l.item >= 0 && E(l.item).code == Type::ItemInventory);
        if (ships) {
            const SampleAddress& ship = customer.party.shipAddress.Empty()
                                            ? customer.party.address
                                            : customer.party.shipAddress;
            Address(root_, El::ShipAddress, ship);
            AddressBlock(root_, El::ShipAddressBlock, ship);
        }
        root_.SetBool(El::IsPending, false);
        root_.SetIfAny(El::PONumber, t.poNumber);
        root_.SetIfAny(El::CheckNumber, t.checkNumber);
        Ref(root_, El::TermsRef, t.terms);
        if (t.dueDate != kNoDay) root_.SetDate(El::DueDate, t.dueDate);
        Ref(root_, El::SalesRepRef, t.salesRep);
        if (t.shipDate != kNoDay) root_.SetDate(El::ShipDate, t.shipDate);
        root_.SetAmount(El::Subtotal, t.subtotal);
        if (t.taxRate > 0) root_.SetHundredths(El::SalesTaxPercentage, t.taxRate);
        root_.SetAmount(El::SalesTaxTotal, t.tax);
        switch (t.code) {
            case Type::Invoice:
                root_.SetBool(El::IsFinanceCharge, t.financeCharge);
                root_.SetAmount(El::AppliedAmount, t.open - t.total);
                root_.SetAmount(El::BalanceRemaining, t.open);
                root_.SetBool(El::IsPaid, t.open == 0);
                for (const SampleLink& link : t.links)
                    Link(root_, El::LinkedTxn, link.txn, link.amount, "AmtType");
                break;
            case Type::CreditMemo:
                root_.SetAmount(El::TotalAmount, t.total);
                root_.SetAmount(El::CreditRemaining, t.open);
                break;
            case Type::Estimate:
                root_.SetBool(El::IsActive, !t.closed);
                root_.SetAmount(El::TotalAmount, t.total);
                break;
            case Type::SalesOrder:
                root_.SetAmount(El::TotalAmount, t.total);
                root_.SetBool(El::IsManuallyClosed, false);
                root_.SetBool(El::IsFullyInvoiced, t.closed);
                break;
            default:
                root_.SetAmount(El::TotalAmount, t.total);
                Ref(root_, El::DepositToAccountRef, t.account);
                break;
        }
        root_.SetBool(El::IsToBePrinted, t.toBePrinted);
        root_.SetBool(El::IsToBeEmailed, t.toBeEmailed);
        const El lineElement = SalesLineElement(t.code);
        for (const SampleLine& l : t.lines) {
            RecordNode line = root_.Group(lineElement);
            ItemLine(line, l, false);
            if (t.code == Type::SalesOrder) line.SetHundredths(El::Invoiced, l.done);
        }
    }

    void Charge(const SampleTxn& t) {
        Ref(root_, El::CustomerRef, t.party);
        const SampleLine& l = t.lines.front();
        Ref(root_, El::ItemRef, l.item);
        root_.SetHundredths(El::Quantity, l.quantity);
        root_.SetAmount(El::Rate, l.rate);
        root_.SetAmount(El::Amount, l.amount);
        root_.SetAmount(El::BalanceRemaining, t.open);
        root_.SetIfAny(El::Desc, l.desc);
        Ref(root_, El::ARAccountRef, t.account);
        Ref(root_, El::ClassRef, t.classRef);
        root_.SetDate(El::BilledDate, t.date);
        if (t.dueDate != kNoDay) root_.SetDate(El::DueDate, t.dueDate);
        root_.SetBool(El::IsPaid, t.open == 0);
        for (const SampleLink& link : t.links)
            Link(root_, El::LinkedTxn, link.txn, link.amount, "AmtType");
    }

    void CustomerPayment(const SampleTxn& t) {
        Ref(root_, El::CustomerRef, t.party);
        Ref(root_, El::ARAccountRef, t.account);
        root_.SetAmount(El::TotalAmount, t.total);
        int undeposited = -1;
        for (int index : b_.lists[1]) {
            if (E(index).account.specialType == "UndepositedFunds") undeposited = index;
        }
        Ref(root_, El::DepositToAccountRef, undeposited);
        root_.SetAmount(El::UnusedPayment, t.unused);
        root_.SetAmount(El::UnusedCredits, 0);
        for (const SampleLink& paid : t.links) Applied(root_, paid);
    }

    void BillPayment(const SampleTxn& t) {
        const SampleEntity& vendor = E(t.party);
        Ref(root_, El::PayeeEntityRef, t.party);
        int ap = -1;
        for (int index : b_.lists[1]) {
            if (E(index).account.specialType == "AccountsPayable") ap = index;
        }
        Ref(root_, El::APAccountRef, ap);
        Ref(root_, t.code == Type::BillPaymentCheck ? El::BankAccountRef : El::CreditCardAccountRef,
            t.account);
        root_.SetAmount(El::Amount, t.total);
        if (t.code == Type::BillPaymentCheck) {
            Address(root_, El::Address, vendor.party.address);
            AddressBlock(root_, El::AddressBlock, vendor.party.address);
            root_.SetBool(El::IsToBePrinted, t.toBePrinted);
        }
        for (const SampleLink& paid : t.links) Applied(root_, paid);
    }

    void PurchaseOrder(const SampleTxn& t) {
        const SampleEntity& vendor = E(t.party);
        Ref(root_, El::VendorRef, t.party);
        Ref(root_, El::ShipToEntityRef, t.shipTo);
        Address(root_, El::VendorAddress, vendor.party.address);
        AddressBlock(root_, El::VendorAddressBlock, vendor.party.address);
        const SampleAddress& ship = t.shipTo >= 0 ? E(t.shipTo).party.address : b_.companyAddress;
        Address(root_, El::ShipAddress, ship);
        AddressBlock(root_, El::ShipAddressBlock, ship);
        Ref(root_, El::TermsRef, t.terms);
        if (t.dueDate != kNoDay) root_.SetDate(El::DueDate, t.dueDate);
        if (t.shipDate != kNoDay) root_.SetDate(El::ExpectedDate, t.shipDate);
        root_.SetAmount(El::TotalAmount, t.total);
        root_.SetBool(El::IsManuallyClosed, false);
        root_.SetBool(El::IsFullyReceived, t.closed);
        root_.SetIfAny(El::VendorMsg, t.notes);
        root_.SetBool(El::IsToBePrinted, t.toBePrinted);
        root_.SetBool(El::IsToBeEmailed, t.toBeEmailed);
        for (const SampleLink& link : t.links)
            Link(root_, El::LinkedTxn, link.txn, link.amount, "QuanType");
        for (const SampleLine& l : t.lines) {
            RecordNode line = root_.Group(El::PurchaseOrderLineRet);
            ItemLine(line, l, false);
            line.SetHundredths(El::ReceivedQuantity, l.done);
            line.SetBool(El::IsManuallyClosed, false);
        }
    }

    // Bills, checks, card charges and credits, vendor credits and item receipts.
    void Purchase(const SampleTxn& t) {
        const SampleEntity& payee = E(t.party);
        switch (t.code) {
            case Type::Bill:
                Ref(root_, El::VendorRef, t.party);
                Address(root_, El::VendorAddress, payee.party.address);
                Ref(root_, El::APAccountRef, t.account);
                if (t.dueDate != kNoDay) root_.SetDate(El::DueDate, t.dueDate);
                root_.SetAmount(El::AmountDue, t.total);
                Ref(root_, El::TermsRef, t.terms);
                root_.SetBool(El::IsPaid, t.open == 0);
                root_.SetAmount(El::OpenAmount, t.open);
                for (const SampleLink& link : t.links)
                    Link(root_, El::LinkedTxn, link.txn, link.amount, "AmtType");
                break;
            case Type::Check:
                Ref(root_, El::AccountRef, t.account);
                Ref(root_, El::PayeeEntityRef, t.party);
                root_.SetAmount(El::Amount, t.total);
                Address(root_, El::Address, payee.party.address);
                AddressBlock(root_, El::AddressBlock, payee.party.address);
                root_.SetBool(El::IsToBePrinted, t.toBePrinted);
                break;
            case Type::CreditCardCharge:
            case Type::CreditCardCredit:
                Ref(root_, El::AccountRef, t.account);
                Ref(root_, El::PayeeEntityRef, t.party);
                root_.SetAmount(El::Amount, t.total);
                break;
            case Type::VendorCredit:
                Ref(root_, El::VendorRef, t.party);
                Ref(root_, El::APAccountRef, t.account);
                root_.SetAmount(El::CreditAmount, t.total);
                root_.SetAmount(El::OpenAmount, t.open);
                break;
            default:  // item receipt
                Ref(root_, El::VendorRef, t.party);
                Ref(root_, El::APAccountRef, t.account);
                root_.SetAmount(El::TotalAmount, t.total);
                for (const SampleLink& link : t.links)
                    Link(root_, El::LinkedTxn, link.txn, link.amount, "QuanType");
                break;
        }
        for (const SampleLine& l : t.expenseLines) ExpenseLine(root_.Group(El::ExpenseLineRet), l);
        for (const SampleLine& l : t.lines) ItemLine(root_.Group(El::ItemLineRet), l, true);
    }

    void Deposit(const SampleTxn& t) {
        Ref(root_, El::DepositToAccountRef, t.account);
        root_.SetAmount(El::DepositTotal, t.total);
        for (const SampleLine& l : t.lines) {
            RecordNode line = root_.Group(El::DepositLineRet);
            if (l.source >= 0) {
                const SampleTxn& source = T(l.source);
                line.Set(El::TxnType, RequestTypeInfo::TypeName(source.code));
                line.Set(El::TxnID, source.txnId);
                line.SetIfAny(El::CheckNumber, source.code == Type::ReceivePayment
                                                   ? source.refNumber
                                                   : source.checkNumber);
            }
            line.Set(El::TxnLineID, l.txnLineId);
            Ref(line, El::EntityRef, l.entity);
            Ref(line, El::AccountRef, l.account);
            line.SetIfAny(El::Memo, l.memo);
            Ref(line, El::ClassRef, l.classRef);
            line.SetAmount(El::Amount, l.amount);
        }
    }

    void Journal(const SampleTxn& t) {
        root_.SetBool(El::IsAdjustment, t.closed);
        for (const SampleLine& l : t.lines) JournalLine(root_.Group(El::JournalDebitLine), l);
        for (const SampleLine& l : t.expenseLines)
            JournalLine(root_.Group(El::JournalCreditLine), l);
    }

    void JournalLine(RecordNode node, const SampleLine& l) {
        node.Set(El::TxnLineID, l.txnLineId);
        Ref(node, El::AccountRef, l.account);
        node.SetAmount(El::Amount, l.amount);
        node.SetIfAny(El::Memo, l.memo);
        Ref(node, El::EntityRef, l.entity);
        Ref(node, El::ClassRef, l.classRef);
    }

    void Time(const SampleTxn& t) {
        Ref(root_, El::EntityRef, t.party);
        Ref(root_, El::CustomerRef, t.customer);
        Ref(root_, El::ItemServiceRef, t.serviceItem);
        root_.Set(El::Duration, DurationText(t.minutes));
        Ref(root_, El::ClassRef, t.classRef);
        root_.SetIfAny(El::Notes, t.notes);
        root_.SetIfAny(El::BillableStatus, t.billable);
    }

    const SampleBooks& b_;
    RecordNode root_;
};

}  // namespace

void BuildSampleRecord(const SampleBooks& books, std::int32_t code, int index, RecordTree& tree) {
    tree.Clear();
    Filler filler(books, tree);
    if (IsTransaction(code)) {
        filler.Txn(index);
    } else {
        filler.List(index);
    }
}

}  // namespace quarrion
