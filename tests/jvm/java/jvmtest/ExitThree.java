package jvmtest;

// Ends the process from inside Java.
public final class ExitThree {
    public static void main(String[] args) {
        System.out.println("exiting");
        System.exit(3);
    }
}
