// Placeholder entry point until the store and link are merged.
int main() {
    return 0;
}
