// Linked with one layer's whole library and only the layers below it: building it proves that the
// layer needs nothing from a layer above.
int main() {
    return 0;
}
