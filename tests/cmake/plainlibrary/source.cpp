int plainLibraryCheck() {
    return 0;
}
