#pragma once
// Drawing a form grid on a print job, and the designer's test print of it.
#include "core/files.h"
#include "core/paths.h"
#include "core/print_job.h"
#include "core/session.h"
#include "printing/layout_files.h"

#include <functional>
#include <string>
#include <vector>

namespace kalvora::printing {

// The order of the passes over elements 1..count.
//   TestPrint: pictures, filled rectangles, outline rectangles, lines, texts.
//   Sample:    pictures, outline rectangles, lines, texts, filled rectangles.
enum class GridOrder { TestPrint, Sample };

// Draws the grid's elements in `order`. A picture needs a file name and X1, Y1 above 0; its
// stored path is read onto this system first. Returns the stored names of the pictures that
// could not be printed (no such path here, or the file does not load).
std::vector<std::string> printGrid(core::PrintJob& job, const FormGrid& grid, GridOrder order,
                                   const core::Files& files, const core::Installation& installation);

// Asks "Iniziare la stampa?" titled `title`, then, with the busy pointer on, lets `draw` draw on a
// job of that name and sends it. `draw` returns the stored names of the pictures it could not
// print; those that name no file on this system are said at the end. False when the user said
// No or nothing was sent.
bool askAndPrint(core::Session& session, const std::string& title,
                 const std::function<std::vector<std::string>(core::PrintJob&)>& draw);

// The same step for a print that starts its own job, such as a listing: asks, then runs `print`
// with the busy pointer on. False when the user said No, else what `print` returns.
bool askAndPrint(core::Session& session, const std::string& title, const std::function<bool()>& print);

// "Prova stampa": asks first, then prints the grid on a job of that name with the busy pointer
// on. False when the user said No or nothing was sent.
bool testPrint(core::Session& session, const FormGrid& grid);

}  // namespace kalvora::printing
