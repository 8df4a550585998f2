#include "scrivola/Converter.h"

int main(int argc, char** argv) {
    return scrivola::RunConverter(argc, argv);
}
