#pragma once

#include <cstddef>
#include <cstdint>

// Entry points for fuzzing: each takes any bytes (read as UTF-8 text, with
// invalid sequences replaced) and must neither crash, hang nor trip a
// sanitizer. They abort on a broken promise they check themselves. The
// libFuzzer programs call one each; the unit tests replay the stored inputs.
namespace cr::fuzz {

// A filter, find or computed-column expression: parse it, evaluate it on
// rows holding extreme values, format the results with the text after the
// first line break as display format, and match it as a LIKE pattern.
void expression(const uint8_t* data, size_t size);

// The property language of modify and describe, on its own and applied to a
// data view.
void propertyModify(const uint8_t* data, size_t size);

// Text typed into fields of every kind (number, decimal, date, date-time,
// text), shown with their formats, and searched for through quote().
void typedValue(const uint8_t* data, size_t size);

// A scope code ("B12,B12U3,H457,R0042") split and named element by element
// against a small registry, and read the way the teams' scope count and
// dialog read it (each element written again reads back the same).
void scopeCode(const uint8_t* data, size_t size);

struct Target {
    const char* name;
    void (*run)(const uint8_t*, size_t);
};
// Every target by the name of its corpus folder.
const Target* targets();
int targetCount();

} // namespace cr::fuzz
