#pragma once

// What is left of a print job whose end was cut short.
//
// Qt's CUPS print engine writes a job into a temporary file of the print
// system (CUPS names it after the process id, in the temporary folder) and
// only a completed end of the painter sends that file, closes it and removes
// it. When memory runs out while the job ends, the file stays behind, held
// open by an engine that is never ended again.

namespace qtface {

// Closes and removes every such file this process holds open: a file whose
// name is the process id in hexadecimal, at least five digits, followed by
// eight more hexadecimal digits, which is how CUPS names them. Call it on
// the job's own thread once its end failed, while no other job runs.
void discardUnsentJobFiles();

} // namespace qtface
