#pragma once

// Encrypts a PDF file with the standard security handler (RC4).
//
//   inputPath, outputPath: the file to read and the file to write; they may be the same path,
//       in which case the file is replaced only once the encrypted copy is complete on disk.
//   keyBits: 128 selects a 128-bit key, every other value a 40-bit key.
//   permissionBits: 4 printing, 8 changing, 16 copying, 32 annotations and forms; a set bit
//       grants the permission, other bits have no effect.
//   ownerPassword, userPassword: zero-terminated, possibly empty; only the first 32 bytes count.
//
// Returns 1 when the output was written and read back whole, 0 otherwise (the input cannot be
// read as a PDF with classic cross-reference tables, only a repair could read it, it is already
// encrypted, or the output cannot be written). On 0 nothing is written and an existing output
// is left as it was; the reason goes to the file named by SCRIVOLA_DEBUG_LOG, when set. Throws
// nothing and prints nothing; safe to call from several threads on different files.
int EncryptPDFFile(const char* inputPath, const char* outputPath, int keyBits, int permissionBits,
                   const char* ownerPassword, const char* userPassword);
