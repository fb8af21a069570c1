#pragma once

// Steps of the view taken once a column or once a crossing of a ray: small
// functions with one caller each that the compiler would otherwise call, and
// at 320 columns a frame the calls cost more than the work. Kept in their
// callers where the compiler allows it.
#if defined(__GNUC__) || defined(__clang__)
#define QUILL_INLINE_STEP __attribute__((always_inline)) inline
#else
#define QUILL_INLINE_STEP inline
#endif
