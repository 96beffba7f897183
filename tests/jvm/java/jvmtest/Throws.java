package jvmtest;

// main ends with an exception left pending for the launcher.
public final class Throws {
    public static void main(String[] args) {
        System.out.println("throwing");
        throw new IllegalStateException("from main");
    }
}
