package jvmtest;

// A class without a main method.
public final class NoMain {
    public static void run(String[] args) {}
}
