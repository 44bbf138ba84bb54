#pragma once
// The general settings record of a company (record 1 of kalvora.gnr, 479 bytes), kept as the
// bytes of the file with named accessors, so the fields of the module programs pass through
// untouched.
#include "core/record.h"

#include <cstdint>
#include <string>

namespace kalvora::core {

class GeneralSettings {
public:
    static constexpr std::size_t recordLength = 479;
    static constexpr double defaultFirstColour = 16579315;   // FCFAF3
    static constexpr double defaultSecondColour = 16777215;  // white

    GeneralSettings() : record_(recordLength) {}
    explicit GeneralSettings(Record r);

    const Record& record() const { return record_; }

    std::int16_t leadingInteger(int index) const;  // index 0..5, bytes 0..11
    void setLeadingInteger(int index, std::int16_t value);
    std::string versionMarker() const { return record_.text(183, 1); }
    void setVersionMarker(const std::string& v) { record_.setText(183, 1, v); }
    std::string refreshLists() const { return record_.text(184, 1); }  // flag A
    void setRefreshLists(const std::string& v) { record_.setText(184, 1, v); }
    double firstColour() const { return record_.float64(185); }
    void setFirstColour(double v) { record_.setFloat64(185, v); }
    double secondColour() const { return record_.float64(193); }
    void setSecondColour(double v) { record_.setFloat64(193, v); }
    std::string alternateColours() const { return record_.text(201, 1); }
    void setAlternateColours(const std::string& v) { record_.setText(201, 1, v); }
    std::string dropAlternateOver10000() const { return record_.text(202, 1); }  // flag B
    void setDropAlternateOver10000(const std::string& v) { record_.setText(202, 1, v); }
    std::string barcodePrefix80() const { return record_.text(203, 1); }
    void setBarcodePrefix80(const std::string& v) { record_.setText(203, 1, v); }
    std::int16_t vatSeparation() const { return record_.int16(243); }
    void setVatSeparation(std::int16_t v) { record_.setInt16(243, v); }
    std::int16_t barcodeSearch() const { return record_.int16(245); }
    void setBarcodeSearch(std::int16_t v) { record_.setInt16(245, v); }
    std::string defaultVatCode() const { return record_.text(249, 2); }  // the two-digit setting
    void setDefaultVatCode(const std::string& v) { record_.setText(249, 2, v); }
    std::int16_t totalWeight() const { return record_.int16(251); }
    void setTotalWeight(std::int16_t v) { record_.setInt16(251, v); }
    std::string invoiceYear() const { return record_.text(253, 1); }
    void setInvoiceYear(const std::string& v) { record_.setText(253, 1, v); }
    std::string previousYearCompany() const { return record_.text(254, 3); }
    void setPreviousYearCompany(const std::string& v) { record_.setText(254, 3, v); }
    std::string lots() const { return record_.text(257, 1); }
    void setLots(const std::string& v) { record_.setText(257, 1, v); }
    std::string manualPdfReader() const { return record_.text(258, 1); }  // help-viewer switch
    void setManualPdfReader(const std::string& v) { record_.setText(258, 1, v); }
    std::string pdfReaderPath() const { return record_.text(259, 120); }
    void setPdfReaderPath(const std::string& v) { record_.setText(259, 120, v); }

    // Marker "9", flag A "1", the two default list colours, alternate colours "1", flag B "1".
    void applyVersionFill();

private:
    Record record_;
};

}  // namespace kalvora::core
