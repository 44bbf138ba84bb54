#pragma once
// The one printing surface of the program: an A4 portrait page in millimetres, origin at the
// top-left corner, X to the right and Y downward. Listings, layout prints and register pages draw
// through it; the Qt platform paints the operations on the printer or a PDF file, the tests'
// platform keeps them as a list.
#include <memory>
#include <string>
#include <vector>

namespace kalvora::core {

struct PrintFont {
    std::string name = "Arial";
    double size = 9;  // points
    bool bold = false;
    bool italic = false;
    bool operator==(const PrintFont&) const = default;
};

// One drawing operation as the job holds it.
struct PrintOp {
    enum class Kind { Text, Line, Rectangle, FilledRectangle, Picture, NewPage };
    Kind kind = Kind::Text;
    double x1 = 0, y1 = 0;  // text and picture: the top-left corner
    double x2 = 0, y2 = 0;  // line and rectangles: the second corner
    long colour = 0;        // R + 256 G + 65536 B
    double penWidth = 0;    // lines and outlines, in millimetres; 0 is a fine line (0.15 mm)
    std::string text;       // text: what is printed; picture: the file
    PrintFont font;
};

class PrintJob {
public:
    static constexpr double pageWidth = 210;
    static constexpr double pageHeight = 297;
    // One screen pixel of a picture at its natural size: 15 twips, 1/96 inch.
    static constexpr double pixelMm = 25.4 / 96;

    virtual ~PrintJob() = default;

    // A text whose top-left corner (the top of its line box) is at (x, y).
    virtual void text(double x, double y, const std::string& text, const PrintFont& font, long colour) = 0;
    // The width the text takes in this font, and the height of one line of it, in millimetres.
    virtual double textWidth(const std::string& text, const PrintFont& font) = 0;
    virtual double lineHeight(const PrintFont& font) = 0;
    virtual void line(double x1, double y1, double x2, double y2, long colour, double penWidth = 0) = 0;
    virtual void rectangle(double x1, double y1, double x2, double y2, long colour, bool filled,
                           double penWidth = 0) = 0;
    // A picture at its natural size, its top-left corner at (x, y). False, and nothing drawn, when
    // the file cannot be loaded as a picture.
    virtual bool picture(double x, double y, const std::string& path) = 0;
    virtual void newPage() = 0;
    // Ends the document and sends it on. False when nothing was sent: the user cancelled, or it
    // failed (the platform has said why).
    virtual bool end() = 0;
};

// A job that keeps its operations. Text metrics are estimates from the point size (a character
// is half the size wide, a line 1.2 times the size high), good enough for tests and layouts that
// need no real font; the Qt platform measures with the printer's fonts instead.
class RecordingPrintJob : public PrintJob {
public:
    void text(double x, double y, const std::string& text, const PrintFont& font, long colour) override;
    double textWidth(const std::string& text, const PrintFont& font) override;
    double lineHeight(const PrintFont& font) override;
    void line(double x1, double y1, double x2, double y2, long colour, double penWidth = 0) override;
    void rectangle(double x1, double y1, double x2, double y2, long colour, bool filled,
                   double penWidth = 0) override;
    bool picture(double x, double y, const std::string& path) override;
    void newPage() override;
    bool end() override;

    const std::vector<PrintOp>& ops() const { return ops_; }
    bool ended() const { return ended_; }
    // Pages so far: one more than the new-page operations.
    int pages() const;

protected:
    // Whether `path` loads as a picture; the recording job accepts any path.
    virtual bool canLoadPicture(const std::string& path);
    // Sends the finished document; the recording job keeps it and reports success.
    virtual bool deliver(const std::vector<PrintOp>& ops);

private:
    std::vector<PrintOp> ops_;
    bool ended_ = false;
};

}  // namespace kalvora::core
